#include "KnownMonitors.h"

#include <algorithm>
#include <array>

namespace device {

namespace {

// To add a model: one line with its ids (lsusb shows them) and the identifier 9001,
// and the same ids in resources/udev/70-tonvi-monitor.rules. 1209:0001 is an id
// reserved for test devices.
constexpr std::array kMonitors{
    KnownMonitor{"Upper-arm monitor, test model", 0x1209, 0x0001, 9001},
};

} // namespace

const KnownMonitor* findKnownMonitor(quint16 vendorId, quint16 productId, qint32 identifier) {
    const auto it = std::find_if(kMonitors.begin(), kMonitors.end(), [&](const KnownMonitor& m) {
        return m.vendorId == vendorId && m.productId == productId && m.identifier == identifier;
    });
    return it == kMonitors.end() ? nullptr : &*it;
}

} // namespace device
