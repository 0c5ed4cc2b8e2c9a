#pragma once

#include "device/engine/BleLink.h"
#include "device/engine/BleScanner.h"
#include "device/engine/DevicePort.h"
#include "device/engine/Scenario.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace device {

// Makes the port of one download.
using PortFactory = std::function<std::unique_ptr<DevicePort>()>;
// Makes the Bluetooth link of one download to the chosen monitor.
using BleLinkFactory = std::function<std::unique_ptr<BleLink>(const BleMonitor& monitor)>;

// How the monitor is connected.
enum class Connection { Usb, Bluetooth };

// The connection the user chose and the Bluetooth monitor chosen last.
struct LinkChoice {
    Connection connection = Connection::Usb;
    BleMonitor monitor;
};

// What a download talks to and how it waits: the USB monitor with real pauses unless
// something else is set. Bluetooth needs both factories.
struct MonitorLink {
    MonitorLink();

    PortFactory openPort;
    BleScannerFactory openBleScanner;
    BleLinkFactory openBleLink;
    std::function<void(int milliseconds)> pause;
    std::function<QDateTime()> now;
};

struct MonitorFactories {
    PortFactory openPort;
    // Both empty unless the scenario is a Bluetooth monitor.
    BleScannerFactory openBleScanner;
    BleLinkFactory openBleLink;
    std::optional<Connection> simulated; // how the simulated monitor is connected
};

// The monitor the program arguments ask for: the USB monitor, or with
// --simulate-monitor the simulator with the built-in readings, or with
// --simulate-monitor=FILE the simulator, USB or Bluetooth, with the scenario in FILE.
// Every download gets a fresh simulator, so each one replays the same memories.
// Throws ScenarioError, naming the file, when FILE cannot be read or is no valid scenario;
// the error is written to standard error as well.
MonitorFactories monitorFromArguments(const QStringList& arguments, const QDate& today);

// Two memories of plausible readings, taken on the days before today.
Scenario builtInReadings(const QDate& today);

} // namespace device
