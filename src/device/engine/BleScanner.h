#pragma once

#include "BleLink.h"

#include <QString>
#include <functional>
#include <memory>

namespace device {

// A Bluetooth LE monitor as a scan shows it and the settings file remembers it.
struct BleMonitor {
    QString name;
    QString address; // "AA:BB:CC:DD:EE:FF"
    bool operator==(const BleMonitor&) const = default;
};

// What a scan reports, always after the call that asked for it has returned.
class BleScanEvents {
public:
    virtual ~BleScanEvents() = default;
    virtual void monitorFound(const BleMonitor& monitor, int signal) = 0; // signal in dBm
    virtual void scanFinished() = 0;
    virtual void scanFailed(BleFault fault) = 0;
};

// Looks for nearby devices that offer the Blood Pressure Service.
class BleScanner {
public:
    virtual ~BleScanner() = default;
    virtual void setEvents(BleScanEvents* events) = 0;
    virtual void start() = 0;
    // Ends the scan; reports nothing more afterwards.
    virtual void stop() = 0;
};

using BleScannerFactory = std::function<std::unique_ptr<BleScanner>()>;

} // namespace device
