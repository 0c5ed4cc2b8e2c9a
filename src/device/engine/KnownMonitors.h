#pragma once

#include <QtGlobal>

namespace device {

// A monitor model that HidDevicePort opens: its USB ids and the identifier that the
// engine asks for.
struct KnownMonitor {
    const char* model;
    quint16 vendorId;
    quint16 productId;
    qint32 identifier;
};

// The entry for a device with these ids that answers to the identifier, or nullptr.
const KnownMonitor* findKnownMonitor(quint16 vendorId, quint16 productId, qint32 identifier);

} // namespace device
