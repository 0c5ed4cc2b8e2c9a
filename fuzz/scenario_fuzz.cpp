// Feeds arbitrary text to the reader of monitor scenario files. An accepted scenario must
// keep the limits that the simulated monitor relies on.
#include "device/engine/Scenario.h"

#include <cstdint>
#include <cstdlib>
#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    device::Scenario s;
    try {
        s = device::Scenario::fromJson(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    } catch (const device::ScenarioError&) {
        return 0;
    }
    if (s.bluetooth) {
        for (const QByteArray& payload : s.bluetooth->measurements)
            if (payload.isEmpty() || payload.size() > device::BleScenario::kMaxPayload)
                std::abort();
        if (s.bluetooth->dropAfter < -1 || !s.memory1.empty() || !s.reports.empty())
            std::abort();
        return 0;
    }
    if (s.memory1.size() > 255 || s.memory2.size() > 255 || s.disconnectAfter == 0 ||
        s.openFailures < 0)
        std::abort();
    const long extra = std::accumulate(s.extraReports.begin(), s.extraReports.end(), 0L,
                                       [](long sum, const auto& e) { return sum + e.times; });
    if (extra < 10000 && s.inputReports().size() < s.reports.size())
        std::abort();
    return 0;
}
