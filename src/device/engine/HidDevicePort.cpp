#include "HidDevicePort.h"

#include "KnownMonitors.h"

#include <QString>
#include <cerrno>
#include <hidapi.h>
#include <string>
#include <vector>

namespace device {

HidDevicePort::HidDevicePort() {
    hid_init();
}

HidDevicePort::~HidDevicePort() {
    for (const auto& [handle, dev] : open_)
        hid_close(dev.hid);
    hid_exit();
}

// With several known monitors attached none is opened: the user is asked to connect one.
DevicePort::Handle HidDevicePort::open(qint32 identifier) {
    std::vector<std::string> paths;
    hid_device_info* all = hid_enumerate(0, 0);
    for (const hid_device_info* info = all; info != nullptr; info = info->next)
        if (findKnownMonitor(info->vendor_id, info->product_id, identifier))
            paths.emplace_back(info->path);
    hid_free_enumeration(all);
    if (paths.size() != 1) {
        failure_ = paths.empty() ? OpenFailure::NoDevice : OpenFailure::SeveralDevices;
        return 0;
    }
    errno = 0;
    hid_device* dev = hid_open_path(paths.front().c_str());
    if (dev == nullptr) {
        failure_ =
            errno == EACCES || errno == EPERM ? OpenFailure::NoAccess : OpenFailure::NoDevice;
        return 0;
    }
    const QString path = QString::fromStdString(paths.front());
    open_[++lastHandle_] = {dev, reportIds(hidrawReportDescriptor(path))};
    return lastHandle_;
}

bool HidDevicePort::write(Handle handle, const Report& report, int) {
    const Device* dev = device(handle);
    if (dev == nullptr)
        return false;
    Report out = report;
    out[0] = dev->ids.output;
    return hid_write(dev->hid, out.data(), out.size()) == int(out.size());
}

// Numbered input reports arrive with their number in front, others without it.
bool HidDevicePort::read(Handle handle, Report& report, int timeoutMs) {
    const Device* dev = device(handle);
    if (dev == nullptr)
        return false;
    Report in{};
    const int skip = dev->ids.input == 0 ? 1 : 0;
    const int got = hid_read_timeout(dev->hid, in.data() + skip, in.size() - skip, timeoutMs);
    const int dataBytes = got + skip - 1; // after the report number
    if (got <= 0 || in[0] != dev->ids.input || dataBytes < 1 + in[1])
        return false;
    report = in;
    return true;
}

void HidDevicePort::close(Handle handle) {
    if (const Device* dev = device(handle)) {
        hid_close(dev->hid);
        open_.erase(handle);
    }
}

const HidDevicePort::Device* HidDevicePort::device(Handle handle) const {
    const auto it = open_.find(handle);
    return it == open_.end() ? nullptr : &it->second;
}

} // namespace device
