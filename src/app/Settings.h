#pragma once

#include <QByteArray>
#include <QString>

namespace app {

// Reads "tonvisetup.ini" in dataDir once at start-up and returns the pause between device
// operations in milliseconds (ReceiveDelay). A missing [delay] receidata is written back as 20.
int ReadSettings(const QString& dataDir);

// The main window's place and size as QWidget::saveGeometry gave them at the last end of the
// program, kept in [window] geometry of the settings file; empty when none was kept.
QByteArray ReadWindowGeometry(const QString& dataDir);
void WriteWindowGeometry(const QString& dataDir, const QByteArray& geometry);

} // namespace app
