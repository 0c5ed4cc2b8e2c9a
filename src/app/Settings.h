#pragma once

#include "device/MonitorLink.h"
#include "readings/Category.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace app {

// Reads "tonvisetup.ini" in dataDir once at start-up and returns the pause between device
// operations in milliseconds (ReceiveDelay). A missing [delay] receidata is written back as 20.
int ReadSettings(const QString& dataDir);

// The main window's place and size as QWidget::saveGeometry gave them at the last end of the
// program, kept in [window] geometry of the settings file; empty when none was kept.
QByteArray ReadWindowGeometry(const QString& dataDir);
void WriteWindowGeometry(const QString& dataDir, const QByteArray& geometry);

// The scheme of the blood-pressure categories, kept in [statistics] scheme of the settings
// file as "esh" or "accaha". Without one (or with another text) a system in US English
// gets ACC/AHA and every other system ESH.
readings::Scheme ReadScheme(const QString& dataDir, const QLocale& system = QLocale::system());
void WriteScheme(const QString& dataDir, readings::Scheme scheme);

// How the monitor is connected, kept in [transfer] connection as "usb" or "bluetooth"
// (USB without one), and the Bluetooth monitor chosen last, in [bluetooth] monitor (its
// address) and name.
device::LinkChoice ReadLinkChoice(const QString& dataDir);
void WriteLinkChoice(const QString& dataDir, const device::LinkChoice& choice);

} // namespace app
