#pragma once

#include "DevicePort.h"
#include "ReportIds.h"

#include <map>

struct hid_device_;

namespace device {

// The monitor over USB HID: opens the one attached device of the known-monitor table
// that answers to the identifier. Reports are 9 bytes: the report number (0 when the
// device uses none), then 8 bytes.
class HidDevicePort : public DevicePort {
public:
    HidDevicePort();
    ~HidDevicePort() override;
    HidDevicePort(const HidDevicePort&) = delete;
    HidDevicePort& operator=(const HidDevicePort&) = delete;

    // 0 when none, or more than one, is attached, or the user may not open it.
    Handle open(qint32 identifier) override;
    OpenFailure openFailure() const override { return failure_; }
    void describe(Handle&) override {}
    // The platform gives writes no time limit; they return when the report is out.
    bool write(Handle handle, const Report& report, int timeoutMs) override;
    // False as well for a report shorter than its count byte says, or one with another
    // report number than the monitor's input report.
    bool read(Handle handle, Report& report, int timeoutMs) override;
    void close(Handle handle) override;

private:
    struct Device {
        hid_device_* hid;
        ReportIds ids;
    };
    const Device* device(Handle handle) const;

    std::map<Handle, Device> open_;
    Handle lastHandle_ = 0;
    OpenFailure failure_ = OpenFailure::NoDevice;
};

} // namespace device
