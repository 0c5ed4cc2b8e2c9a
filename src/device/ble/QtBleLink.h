#pragma once

#include "device/engine/BleLink.h"

#include <QBluetoothDeviceInfo>
#include <QLowEnergyController>
#include <QLowEnergyService>
#include <QObject>
#include <memory>

namespace device {

// The Blood Pressure Service of one monitor, reached through BlueZ.
class QtBleLink : public QObject, public BleLink {
    Q_OBJECT
public:
    explicit QtBleLink(const QBluetoothDeviceInfo& monitor, QObject* parent = nullptr);
    ~QtBleLink() override;

    void setEvents(BleLinkEvents* events) override { events_ = events; }
    void connectToMonitor() override;
    void readFeature() override;
    void enableIndications() override;
    bool hasControlPoint() const override;
    void writeControlPoint(const QByteArray& request) override;
    void disconnectFromMonitor() override;

private:
    void report(BleFault fault);
    void serviceDiscovered();
    void controllerFailed(QLowEnergyController::Error error);
    void serviceFailed(QLowEnergyService::ServiceError error);
    void characteristicChanged(const QLowEnergyCharacteristic& characteristic,
                               const QByteArray& value);
    void descriptorWritten(const QLowEnergyDescriptor& descriptor);

    QBluetoothDeviceInfo monitor_;
    std::unique_ptr<QLowEnergyController> controller_;
    std::unique_ptr<QLowEnergyService> service_;
    BleLinkEvents* events_ = nullptr;
    bool linked_ = false;
    int pendingDescriptors_ = 0;
};

} // namespace device
