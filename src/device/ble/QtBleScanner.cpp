#include "device/ble/QtBleScanner.h"

#include "device/ble/QtBleLink.h"

#include <QBluetoothAddress>
#include <QBluetoothUuid>

namespace device {

namespace {

BleFault faultOf(QBluetoothDeviceDiscoveryAgent::Error error) {
    using Agent = QBluetoothDeviceDiscoveryAgent;
    switch (error) {
    case Agent::PoweredOffError:
    case Agent::InvalidBluetoothAdapterError:
    case Agent::UnsupportedPlatformError:
    case Agent::UnsupportedDiscoveryMethod:
        return BleFault::NoAdapter;
    default: // input-output errors mean that BlueZ is not there or refused us
        return BleFault::NoAccess;
    }
}

} // namespace

QtBleScanner::QtBleScanner(QObject* parent) : QObject(parent) {
    agent_.setLowEnergyDiscoveryTimeout(kScanTime);
    connect(&agent_, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this,
            &QtBleScanner::deviceDiscovered);
    // A device may show its services, or a new signal strength, only in a later advert.
    connect(&agent_, &QBluetoothDeviceDiscoveryAgent::deviceUpdated, this,
            [this](const QBluetoothDeviceInfo& device) { deviceDiscovered(device); });
    connect(&agent_, &QBluetoothDeviceDiscoveryAgent::finished, this, [this] {
        scanning_ = false;
        if (events_)
            events_->scanFinished();
    });
    connect(&agent_, &QBluetoothDeviceDiscoveryAgent::errorOccurred, this, &QtBleScanner::failed);
}

void QtBleScanner::start() {
    ++scan_;
    scanning_ = true;
    agent_.start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
}

void QtBleScanner::stop() {
    ++scan_;
    scanning_ = false;
    agent_.stop();
}

void QtBleScanner::deviceDiscovered(const QBluetoothDeviceInfo& device) {
    static const QBluetoothUuid service(QBluetoothUuid::ServiceClassUuid::BloodPressure);
    if (scanning_ && events_ && device.serviceUuids().contains(service))
        events_->monitorFound({device.name(), device.address().toString()}, device.rssi());
}

// The agent may report a failure inside start(); it is passed on after start returned.
void QtBleScanner::failed(QBluetoothDeviceDiscoveryAgent::Error error) {
    scanning_ = false;
    QMetaObject::invokeMethod(
        this,
        [this, scan = scan_, fault = faultOf(error)] {
            if (scan == scan_ && events_)
                events_->scanFailed(fault);
        },
        Qt::QueuedConnection);
}

std::unique_ptr<BleScanner> openRadioScanner() {
    return std::make_unique<QtBleScanner>();
}

std::unique_ptr<BleLink> openRadioLink(const BleMonitor& monitor) {
    QBluetoothDeviceInfo device(QBluetoothAddress(monitor.address), monitor.name, 0);
    device.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    return std::make_unique<QtBleLink>(device);
}

} // namespace device
