#pragma once

#include <QtGlobal>
#include <array>

namespace device {

// One report on the link: byte 0 is the report id (always 0), then 8 bytes.
constexpr int kReportSize = 9;
using Report = std::array<quint8, kReportSize>;

// Why an open gave no handle.
enum class OpenFailure {
    NoDevice,       // no known monitor is attached
    SeveralDevices, // more than one is attached, and none is chosen
    NoAccess,       // one is attached, but the user may not open it
};

// The monitor's link as the engine sees it: five operations on an opaque handle.
class DevicePort {
public:
    using Handle = quint32; // 0 = none

    virtual ~DevicePort() = default;
    // The first monitor that answers to the identifier, or 0 when none is found.
    virtual Handle open(qint32 identifier) = 0;
    // Why the last open returned 0.
    virtual OpenFailure openFailure() const { return OpenFailure::NoDevice; }
    // Called once right after a successful open; may replace the handle.
    virtual void describe(Handle& handle) = 0;
    // False when the report was not written within timeoutMs.
    virtual bool write(Handle handle, const Report& report, int timeoutMs) = 0;
    // False when no report arrived within timeoutMs.
    virtual bool read(Handle handle, Report& report, int timeoutMs) = 0;
    virtual void close(Handle handle) = 0;
};

} // namespace device
