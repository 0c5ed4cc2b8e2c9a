#include "HidDevicePort.h"

#include "KnownMonitors.h"

#include <hidapi.h>

namespace device {

HidDevicePort::HidDevicePort() {
    hid_init();
}

HidDevicePort::~HidDevicePort() {
    for (const auto& [handle, dev] : open_)
        hid_close(dev);
    hid_exit();
}

DevicePort::Handle HidDevicePort::open(qint32 identifier) {
    hid_device_info* all = hid_enumerate(0, 0);
    hid_device* dev = nullptr;
    for (const hid_device_info* info = all; info != nullptr && dev == nullptr; info = info->next)
        if (findKnownMonitor(info->vendor_id, info->product_id, identifier))
            dev = hid_open_path(info->path);
    hid_free_enumeration(all);
    if (dev == nullptr)
        return 0;
    open_[++lastHandle_] = dev;
    return lastHandle_;
}

bool HidDevicePort::write(Handle handle, const Report& report, int) {
    hid_device* dev = device(handle);
    return dev != nullptr && hid_write(dev, report.data(), report.size()) == int(report.size());
}

// Input reports without a report number arrive without byte 0; it stays 0.
bool HidDevicePort::read(Handle handle, Report& report, int timeoutMs) {
    hid_device* dev = device(handle);
    report.fill(0);
    return dev != nullptr &&
           hid_read_timeout(dev, report.data() + 1, report.size() - 1, timeoutMs) > 0;
}

void HidDevicePort::close(Handle handle) {
    if (hid_device* dev = device(handle)) {
        hid_close(dev);
        open_.erase(handle);
    }
}

hid_device* HidDevicePort::device(Handle handle) const {
    const auto it = open_.find(handle);
    return it == open_.end() ? nullptr : it->second;
}

} // namespace device
