#include "BleLink.h"

namespace device {

const char* bleFaultKey(BleFault fault) {
    switch (fault) {
    case BleFault::NoAdapter:
        return "ble_no_adapter";
    case BleFault::NoAccess:
        return "ble_no_access";
    case BleFault::NoMonitor:
        return "ble_no_monitor";
    case BleFault::ConnectRefused:
        return "ble_connect_failed";
    case BleFault::ServiceMissing:
        return "ble_service_missing";
    case BleFault::IndicationsRefused:
        return "ble_indications_refused";
    case BleFault::LinkLost:
        break;
    }
    return "ble_link_lost";
}

} // namespace device
