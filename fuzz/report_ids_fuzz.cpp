// Feeds arbitrary report descriptors, as a device's sysfs entry could hold them, to the
// reader of report numbers.
#include "device/engine/ReportIds.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    device::reportIds(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    return 0;
}
