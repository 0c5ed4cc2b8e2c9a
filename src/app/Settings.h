#pragma once

#include <QString>

namespace app {

// Reads "tonvisetup.ini" in dataDir once at start-up and returns the pause between device
// operations in milliseconds (ReceiveDelay). A missing [delay] receidata is written back as 20.
int ReadSettings(const QString& dataDir);

} // namespace app
