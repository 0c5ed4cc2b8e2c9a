// Feeds arbitrary indications of the blood pressure measurement to its decoder and checks
// that a decoded reading keeps to what the fields allow.
#include "device/engine/BpMeasurement.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QByteArray payload(reinterpret_cast<const char*>(data), int(size));
    const auto m = device::decodeBpMeasurement(payload);
    if (!m)
        return 0;
    const bool sane = (m->memory == 1 || m->memory == 2) &&
                      (m->readable || (m->systolic == 0 && m->diastolic == 0)) &&
                      (!m->moment.isValid() || m->moment.timeSpec() == Qt::UTC);
    if (!sane)
        std::abort();
    return 0;
}
