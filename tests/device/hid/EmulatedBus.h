#pragma once

#include "device/engine/Scenario.h"
#include "device/engine/SimulatedMonitor.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;
typedef struct _UMockdevIoctlClient UMockdevIoctlClient;

// HID devices on a USB bus that umockdev emulates: their sysfs and udev entries and
// /dev/hidraw nodes, whose reads, writes and ioctls are answered here (on umockdev's
// thread, hence the lock). The process must run under umockdev's preload library.
class EmulatedBus {
public:
    EmulatedBus();
    ~EmulatedBus();
    EmulatedBus(const EmulatedBus&) = delete;
    EmulatedBus& operator=(const EmulatedBus&) = delete;

    // Plugs in a device with these ids whose reports carry the number `reportId` unless it
    // is 0. Returns its node, "/dev/hidrawN".
    QString plug(quint16 vendorId, quint16 productId, quint8 reportId = 0);
    // The device leaves sysfs, and every later read or write of its node fails.
    void unplug(const QString& node);
    // Only root may open the node.
    void forbid(const QString& node);

    // The next read of the node returns these bytes, as the read call would; an empty
    // array is a read that times out.
    void queueRead(const QString& node, const QByteArray& bytes);
    // From then on the node answers like the simulated monitor: writes go to it, reads take
    // its reports.
    void answerLike(const QString& node, device::Scenario scenario);
    // Every write to the node, as it was written.
    QList<QByteArray> written(const QString& node) const;

private:
    struct Node {
        QString syspath;
        quint8 reportId = 0;
        bool gone = false;
        std::deque<QByteArray> reads;
        QList<QByteArray> written;
        std::unique_ptr<device::SimulatedMonitor> monitor;
        device::DevicePort::Handle monitorHandle = 0;
    };

    static int onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* bus);
    static int onRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* bus);
    static int onWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* bus);
    Node& node(UMockdevIoctlClient* client);
    // The client's node, or null once it is unplugged: the call is then answered ENODEV.
    Node* pluggedNode(UMockdevIoctlClient* client);
    static QByteArray descriptor(quint8 reportId);

    UMockdevTestbed* testbed_;
    UMockdevIoctlBase* handler_;
    mutable std::mutex lock_;
    std::map<QString, Node> nodes_;
};
