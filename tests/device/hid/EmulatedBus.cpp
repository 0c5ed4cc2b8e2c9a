#include "EmulatedBus.h"

#include <algorithm>
#include <cerrno>
#include <linux/hidraw.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/stat.h>

// glib names a member "signals", which Qt defines as a keyword.
#undef signals
#include <umockdev.h>

namespace {

// A vendor-defined device with one 8-byte input and one 8-byte output report, numbered
// when the id is not 0.
constexpr const char* kDescriptorHead = "0600ff0901a101";
constexpr const char* kDescriptorTail = "150026ff00750895080901810209019102c0";

void complete(UMockdevIoctlClient* client, long result, int error = 0) {
    umockdev_ioctl_client_complete(client, result, error);
}

QString hex(uint value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0'));
}

} // namespace

EmulatedBus::EmulatedBus() : testbed_(umockdev_testbed_new()), handler_(umockdev_ioctl_base_new()) {
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(onIoctl), this);
    g_signal_connect(handler_, "handle-read", G_CALLBACK(onRead), this);
    g_signal_connect(handler_, "handle-write", G_CALLBACK(onWrite), this);
}

EmulatedBus::~EmulatedBus() {
    for (const auto& [devnode, n] : nodes_)
        umockdev_testbed_detach_ioctl(testbed_, devnode.toUtf8().constData(), nullptr);
    g_object_unref(handler_);
    g_object_unref(testbed_);
}

QByteArray EmulatedBus::descriptor(quint8 reportId) {
    QByteArray bytes = kDescriptorHead;
    if (reportId != 0)
        bytes += "85" + hex(reportId, 2).toLatin1();
    return bytes + kDescriptorTail;
}

QString EmulatedBus::plug(quint16 vendorId, quint16 productId, quint8 reportId) {
    const int n = int(nodes_.size());
    const QString usb = QStringLiteral("/devices/usb%1").arg(n + 1);
    const QString interface = usb + QStringLiteral("/%1-1:1.0").arg(n + 1);
    const QString hid =
        interface + QStringLiteral("/0003:%1:%2.%3")
                        .arg(hex(vendorId, 4).toUpper(), hex(productId, 4).toUpper())
                        .arg(n + 1, 4, 10, QLatin1Char('0'));
    const QString tree =
        QStringLiteral("P: %1\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=%2\n"
                       "A: idProduct=%3\nA: manufacturer=Test\nA: product=Monitor\n"
                       "A: serial=%4\nA: bcdDevice=0100\n\n")
            .arg(usb, hex(vendorId, 4), hex(productId, 4))
            .arg(n + 1) +
        QStringLiteral("P: %1\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n"
                       "A: bInterfaceNumber=00\n\n")
            .arg(interface) +
        QStringLiteral("P: %1\nE: SUBSYSTEM=hid\nE: HID_ID=0003:%2:%3\nE: HID_NAME=Test Monitor\n"
                       "E: HID_UNIQ=%4\nH: report_descriptor=%5\n\n")
            .arg(hid, hex(vendorId, 8).toUpper(), hex(productId, 8).toUpper())
            .arg(n + 1)
            .arg(QString::fromLatin1(descriptor(reportId).toUpper())) +
        QStringLiteral("P: %1/hidraw/hidraw%2\nN: hidraw%2=00\nE: SUBSYSTEM=hidraw\n"
                       "E: DEVNAME=/dev/hidraw%2\nA: dev=241:%2\nL: device=../../\n\n")
            .arg(hid)
            .arg(n);
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, tree.toUtf8().constData(), &error))
        throw std::runtime_error(error->message);
    const QString devnode = QStringLiteral("/dev/hidraw%1").arg(n);
    if (!umockdev_testbed_attach_ioctl(testbed_, devnode.toUtf8().constData(), handler_, &error))
        throw std::runtime_error(error->message);
    const std::lock_guard guard(lock_);
    nodes_[devnode].syspath = QStringLiteral("/sys") + usb;
    nodes_[devnode].reportId = reportId;
    return devnode;
}

void EmulatedBus::unplug(const QString& devnode) {
    QString syspath;
    {
        const std::lock_guard guard(lock_);
        nodes_.at(devnode).gone = true;
        syspath = nodes_.at(devnode).syspath;
    }
    umockdev_testbed_remove_device(testbed_, syspath.toUtf8().constData());
}

void EmulatedBus::forbid(const QString& devnode) {
    gchar* root = umockdev_testbed_get_root_dir(testbed_);
    const QByteArray file = QByteArray(root) + devnode.toUtf8();
    g_free(root);
    ::chmod(file.constData(), 0);
}

void EmulatedBus::queueRead(const QString& devnode, const QByteArray& bytes) {
    const std::lock_guard guard(lock_);
    nodes_.at(devnode).reads.push_back(bytes);
}

void EmulatedBus::answerLike(const QString& devnode, device::Scenario scenario) {
    const std::lock_guard guard(lock_);
    Node& n = nodes_.at(devnode);
    n.monitor = std::make_unique<device::SimulatedMonitor>(std::move(scenario));
    n.monitorHandle = n.monitor->open(9001);
}

QList<QByteArray> EmulatedBus::written(const QString& devnode) const {
    const std::lock_guard guard(lock_);
    return nodes_.at(devnode).written;
}

EmulatedBus::Node& EmulatedBus::node(UMockdevIoctlClient* client) {
    return nodes_.at(QString::fromUtf8(umockdev_ioctl_client_get_devnode(client)));
}

EmulatedBus::Node* EmulatedBus::pluggedNode(UMockdevIoctlClient* client) {
    Node& n = node(client);
    if (!n.gone)
        return &n;
    complete(client, -1, ENODEV);
    return nullptr;
}

// Only the descriptor queries that opening a hidraw node makes are answered.
int EmulatedBus::onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* bus) {
    auto* self = static_cast<EmulatedBus*>(bus);
    const std::lock_guard guard(self->lock_);
    const QByteArray bytes = QByteArray::fromHex(descriptor(self->node(client).reportId));
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    if (request == HIDIOCGRDESCSIZE) {
        UMockdevIoctlData* size = umockdev_ioctl_data_resolve(arg, 0, sizeof(int), nullptr);
        *reinterpret_cast<int*>(size->data) = int(bytes.size());
    } else if (request == HIDIOCGRDESC) {
        UMockdevIoctlData* desc =
            umockdev_ioctl_data_resolve(arg, 0, sizeof(hidraw_report_descriptor), nullptr);
        auto* out = reinterpret_cast<hidraw_report_descriptor*>(desc->data);
        out->size = bytes.size();
        std::copy(bytes.begin(), bytes.end(), out->value);
    } else {
        return false;
    }
    complete(client, 0);
    return true;
}

// A read returns the next queued bytes, or what the simulated monitor sends.
int EmulatedBus::onRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* bus) {
    auto* self = static_cast<EmulatedBus*>(bus);
    const std::lock_guard guard(self->lock_);
    Node* plugged = self->pluggedNode(client);
    if (!plugged)
        return true;
    Node& n = *plugged;
    QByteArray bytes;
    if (n.monitor) {
        device::Report report{};
        const int skip = n.reportId == 0 ? 1 : 0; // unnumbered reports come without it
        if (n.monitor->read(n.monitorHandle, report, 0)) {
            report[0] = n.reportId;
            bytes = QByteArray(reinterpret_cast<const char*>(report.data()) + skip,
                               int(report.size()) - skip);
        }
    } else if (!n.reads.empty()) {
        bytes = n.reads.front();
        n.reads.pop_front();
    }
    if (bytes.isEmpty()) {
        complete(client, -1, EAGAIN);
        return true;
    }
    UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
    bytes.truncate(qsizetype(buffer->data_len));
    umockdev_ioctl_data_update(buffer, 0, reinterpret_cast<guint8*>(bytes.data()),
                               int(bytes.size()));
    complete(client, bytes.size());
    return true;
}

int EmulatedBus::onWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* bus) {
    auto* self = static_cast<EmulatedBus*>(bus);
    const std::lock_guard guard(self->lock_);
    Node* plugged = self->pluggedNode(client);
    if (!plugged)
        return true;
    Node& n = *plugged;
    UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
    const QByteArray bytes(reinterpret_cast<const char*>(buffer->data), int(buffer->data_len));
    n.written << bytes;
    device::Report report{};
    std::copy_n(bytes.begin(), std::min<qsizetype>(bytes.size(), report.size()), report.begin());
    if (n.monitor && !n.monitor->write(n.monitorHandle, report, 0)) {
        complete(client, -1, ETIMEDOUT);
        return true;
    }
    complete(client, bytes.size());
    return true;
}
