#pragma once

#include "DevicePort.h"

#include <map>

struct hid_device_;

namespace device {

// The monitor over USB HID: opens the first attached device of the known-monitor table
// that answers to the identifier. Reports are 9 bytes with report id 0.
class HidDevicePort : public DevicePort {
public:
    HidDevicePort();
    ~HidDevicePort() override;
    HidDevicePort(const HidDevicePort&) = delete;
    HidDevicePort& operator=(const HidDevicePort&) = delete;

    Handle open(qint32 identifier) override;
    void describe(Handle&) override {}
    // The platform gives writes no time limit; they return when the report is out.
    bool write(Handle handle, const Report& report, int timeoutMs) override;
    bool read(Handle handle, Report& report, int timeoutMs) override;
    void close(Handle handle) override;

private:
    hid_device_* device(Handle handle) const;

    std::map<Handle, hid_device_*> open_;
    Handle lastHandle_ = 0;
};

} // namespace device
