#pragma once

#include "device/engine/BleScanner.h"

#include <QBluetoothDeviceDiscoveryAgent>
#include <QObject>

namespace device {

// A low-energy scan through BlueZ that reports the devices offering the Blood Pressure
// Service.
class QtBleScanner : public QObject, public BleScanner {
    Q_OBJECT
public:
    static constexpr int kScanTime = 20000; // ms

    explicit QtBleScanner(QObject* parent = nullptr);

    void setEvents(BleScanEvents* events) override { events_ = events; }
    void start() override;
    void stop() override;

private:
    void deviceDiscovered(const QBluetoothDeviceInfo& device);
    void failed(QBluetoothDeviceDiscoveryAgent::Error error);

    QBluetoothDeviceDiscoveryAgent agent_;
    BleScanEvents* events_ = nullptr;
    bool scanning_ = false;
    int scan_ = 0; // a failure reported for an earlier scan is dropped
};

// The scanner and the link of a real monitor.
std::unique_ptr<BleScanner> openRadioScanner();
std::unique_ptr<BleLink> openRadioLink(const BleMonitor& monitor);

} // namespace device
