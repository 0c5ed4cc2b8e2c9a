#pragma once

#include <QString>

namespace app {

// Reads "tonvisetup.ini" in appDir once at start-up and returns the pause between device
// operations in milliseconds (ReceiveDelay). A missing [delay] receidata is written back as 20.
int ReadSettings(const QString& appDir);

} // namespace app
