#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace device {

// Why a Bluetooth link gave up.
enum class BleFault {
    NoAdapter,          // no Bluetooth adapter, or it is switched off
    NoAccess,           // the Bluetooth service is not running, or this user may not use it
    NoMonitor,          // the monitor cannot be found
    ConnectRefused,     // the monitor did not accept the connection, or pairing failed
    ServiceMissing,     // it offers no Blood Pressure Service
    IndicationsRefused, // it refused to indicate its measurements
    LinkLost,           // the connection dropped
};

// The message key that explains a fault.
const char* bleFaultKey(BleFault fault);

// What a link reports, always after the call that asked for it has returned.
class BleLinkEvents {
public:
    virtual ~BleLinkEvents() = default;
    virtual void connected() = 0; // linked, and the Blood Pressure Service is discovered
    virtual void featureRead(quint16 feature) = 0;
    virtual void indicationsEnabled() = 0;
    virtual void measurement(const QByteArray& payload) = 0;
    virtual void controlPointResponse(const QByteArray& response) = 0;
    virtual void failed(BleFault fault) = 0;
};

// A Bluetooth LE monitor's Blood Pressure Service as the session sees it.
class BleLink {
public:
    virtual ~BleLink() = default;
    virtual void setEvents(BleLinkEvents* events) = 0;
    virtual void connectToMonitor() = 0;
    virtual void readFeature() = 0;
    // Indications of the measurement and, when present, of the record access control point.
    virtual void enableIndications() = 0;
    virtual bool hasControlPoint() const = 0;
    virtual void writeControlPoint(const QByteArray& request) = 0;
    // Ends the link; reports nothing more afterwards.
    virtual void disconnectFromMonitor() = 0;
};

} // namespace device
