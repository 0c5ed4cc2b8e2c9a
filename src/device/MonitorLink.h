#pragma once

#include "device/engine/BleLink.h"
#include "device/engine/DevicePort.h"
#include "device/engine/Scenario.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <functional>
#include <memory>

namespace device {

// Makes the port of one download.
using PortFactory = std::function<std::unique_ptr<DevicePort>()>;
// Makes the Bluetooth link of one download.
using BleLinkFactory = std::function<std::unique_ptr<BleLink>()>;

// What a download talks to and how it waits: the USB monitor with real pauses unless
// something else is set.
struct MonitorLink {
    MonitorLink();

    PortFactory openPort;
    BleLinkFactory openBleLink; // when set, downloads go over Bluetooth
    std::function<void(int milliseconds)> pause;
    std::function<QDateTime()> now;
};

struct MonitorFactories {
    PortFactory openPort;
    BleLinkFactory openBleLink; // empty unless the scenario is a Bluetooth monitor
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
