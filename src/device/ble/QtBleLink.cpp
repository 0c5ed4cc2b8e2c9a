#include "device/ble/QtBleLink.h"

#include <QBluetoothUuid>
#include <QtEndian>

namespace device {

namespace {

using Uuid = QBluetoothUuid;

const Uuid kService(Uuid::ServiceClassUuid::BloodPressure);
const Uuid kMeasurement(Uuid::CharacteristicType::BloodPressureMeasurement);
const Uuid kFeature(Uuid::CharacteristicType::BloodPressureFeature);
const Uuid kControlPoint(quint16(0x2A52)); // record access control point
const QByteArray kIndicate = QByteArray::fromHex("0200");

} // namespace

QtBleLink::QtBleLink(const QBluetoothDeviceInfo& monitor, QObject* parent)
    : QObject(parent), monitor_(monitor) {}

QtBleLink::~QtBleLink() {
    events_ = nullptr;
    service_.reset();
    if (controller_)
        controller_->disconnectFromDevice();
}

void QtBleLink::report(BleFault fault) {
    if (BleLinkEvents* events = std::exchange(events_, nullptr))
        events->failed(fault);
}

void QtBleLink::connectToMonitor() {
    controller_.reset(QLowEnergyController::createCentral(monitor_));
    QLowEnergyController* c = controller_.get();
    connect(c, &QLowEnergyController::connected, this, [this, c] {
        linked_ = true;
        c->discoverServices();
    });
    connect(c, &QLowEnergyController::discoveryFinished, this, &QtBleLink::serviceDiscovered);
    connect(c, &QLowEnergyController::errorOccurred, this, &QtBleLink::controllerFailed);
    connect(c, &QLowEnergyController::disconnected, this,
            [this] { report(linked_ ? BleFault::LinkLost : BleFault::ConnectRefused); });
    c->connectToDevice();
}

void QtBleLink::serviceDiscovered() {
    service_.reset(controller_->createServiceObject(kService));
    if (!service_) {
        report(BleFault::ServiceMissing);
        return;
    }
    QLowEnergyService* s = service_.get();
    connect(s, &QLowEnergyService::stateChanged, this,
            [this](QLowEnergyService::ServiceState state) {
                if (state == QLowEnergyService::RemoteServiceDiscovered && events_)
                    events_->connected();
            });
    connect(s, &QLowEnergyService::characteristicRead, this,
            [this](const QLowEnergyCharacteristic& characteristic, const QByteArray& value) {
                if (characteristic.uuid() == kFeature && events_)
                    events_->featureRead(
                        value.size() >= 2 ? qFromLittleEndian<quint16>(value.constData()) : 0);
            });
    connect(s, &QLowEnergyService::characteristicChanged, this, &QtBleLink::characteristicChanged);
    connect(s, &QLowEnergyService::descriptorWritten, this, &QtBleLink::descriptorWritten);
    connect(s, &QLowEnergyService::errorOccurred, this, &QtBleLink::serviceFailed);
    s->discoverDetails();
}

void QtBleLink::controllerFailed(QLowEnergyController::Error error) {
    switch (error) {
    case QLowEnergyController::UnknownRemoteDeviceError:
        report(BleFault::NoMonitor);
        break;
    case QLowEnergyController::InvalidBluetoothAdapterError:
        report(BleFault::NoAdapter);
        break;
    case QLowEnergyController::AuthorizationError:
    case QLowEnergyController::MissingPermissionsError:
        report(BleFault::NoAccess);
        break;
    default:
        report(linked_ ? BleFault::LinkLost : BleFault::ConnectRefused);
    }
}

void QtBleLink::serviceFailed(QLowEnergyService::ServiceError error) {
    report(error == QLowEnergyService::DescriptorWriteError ? BleFault::IndicationsRefused
                                                            : BleFault::LinkLost);
}

void QtBleLink::readFeature() {
    const QLowEnergyCharacteristic feature = service_->characteristic(kFeature);
    if (feature.isValid())
        service_->readCharacteristic(feature);
    else
        QMetaObject::invokeMethod(
            this, [this] { events_ ? events_->featureRead(0) : void(); }, Qt::QueuedConnection);
}

void QtBleLink::enableIndications() {
    pendingDescriptors_ = 0;
    for (const Uuid& uuid : {kMeasurement, kControlPoint}) {
        const QLowEnergyDescriptor config =
            service_->characteristic(uuid).clientCharacteristicConfiguration();
        if (!config.isValid())
            continue;
        ++pendingDescriptors_;
        service_->writeDescriptor(config, kIndicate);
    }
    if (pendingDescriptors_ == 0)
        QMetaObject::invokeMethod(
            this, [this] { report(BleFault::IndicationsRefused); }, Qt::QueuedConnection);
}

void QtBleLink::descriptorWritten(const QLowEnergyDescriptor&) {
    if (--pendingDescriptors_ == 0 && events_)
        events_->indicationsEnabled();
}

bool QtBleLink::hasControlPoint() const {
    return service_ && service_->characteristic(kControlPoint).isValid();
}

void QtBleLink::writeControlPoint(const QByteArray& request) {
    service_->writeCharacteristic(service_->characteristic(kControlPoint), request);
}

void QtBleLink::characteristicChanged(const QLowEnergyCharacteristic& characteristic,
                                      const QByteArray& value) {
    if (!events_)
        return;
    if (characteristic.uuid() == kMeasurement)
        events_->measurement(value);
    else if (characteristic.uuid() == kControlPoint)
        events_->controlPointResponse(value);
}

void QtBleLink::disconnectFromMonitor() {
    events_ = nullptr;
    if (controller_)
        controller_->disconnectFromDevice();
}

} // namespace device
