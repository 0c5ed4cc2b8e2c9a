#include "device/engine/HidDevicePort.h"

#include "EmulatedBus.h"
#include "device/RecordingReport.h"
#include "device/engine/ProgressGauge.h"
#include "device/engine/TReceiData.h"
#include "store/Tdm1.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using device::DevicePort;
using device::HidDevicePort;
using device::OpenFailure;
using device::Report;

namespace {

constexpr quint16 kVendor = 0x1209; // the known test monitor
constexpr quint16 kProduct = 0x0001;
constexpr qint32 kIdentifier = 9001;

// Takes from the calling thread root's right to open any file, so that a node's mode
// counts for root too.
class WithoutFileAccessOverride {
public:
    WithoutFileAccessOverride() {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct dropped[2] = {saved_[0], saved_[1]};
        dropped[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header_, dropped);
    }
    ~WithoutFileAccessOverride() { syscall(SYS_capset, &header_, saved_); }
    WithoutFileAccessOverride(const WithoutFileAccessOverride&) = delete;
    WithoutFileAccessOverride& operator=(const WithoutFileAccessOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

QByteArray command(quint8 reportId, quint8 code) {
    QByteArray bytes(device::kReportSize, '\0');
    bytes[0] = char(reportId);
    bytes[1] = char(code);
    return bytes;
}

Report sent(quint8 code) {
    Report report{};
    report[1] = code;
    return report;
}

class HidDevicePortTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qgetenv("LD_PRELOAD").contains("umockdev"))
            << "run this test under umockdev-wrapper";
    }

    EmulatedBus bus;
};

} // namespace

TEST_F(HidDevicePortTest, OpensTheKnownMonitorAmongOtherDevicesAndWritesToIt) {
    const QString other = bus.plug(kVendor, 0x0002) /* not a monitor */;
    const QString monitor = bus.plug(kVendor, kProduct);
    HidDevicePort port;
    EXPECT_EQ(port.open(4711), 0u); // known ids, but another identifier
    EXPECT_EQ(port.openFailure(), OpenFailure::NoDevice);
    const DevicePort::Handle handle = port.open(kIdentifier);
    ASSERT_NE(handle, 0u);
    EXPECT_TRUE(port.write(handle, sent(0x5A), 200));
    EXPECT_EQ(bus.written(monitor), QList<QByteArray>{command(0, 0x5A)});
    EXPECT_TRUE(bus.written(other).isEmpty());
    port.close(handle);
    EXPECT_FALSE(port.write(handle, sent(0xFF), 200));
}

TEST_F(HidDevicePortTest, ReadsWholeReportsAndFailsShortOnesAndTimeOuts) {
    const QString monitor = bus.plug(kVendor, kProduct);
    HidDevicePort port;
    const DevicePort::Handle handle = port.open(kIdentifier);
    ASSERT_NE(handle, 0u);
    bus.queueRead(monitor, QByteArray::fromHex("075b0100030e081e"));
    bus.queueRead(monitor, QByteArray::fromHex("075b01"));           // count 7, three bytes
    bus.queueRead(monitor, QByteArray::fromHex("00"));               // an empty report
    bus.queueRead(monitor, QByteArray::fromHex("09aabbccddeeff11")); // count beyond the report
    Report report{};
    ASSERT_TRUE(port.read(handle, report, 200));
    EXPECT_EQ(report, (Report{0, 7, 0x5B, 1, 0, 3, 14, 8, 30}));
    report.fill(0xEE);
    EXPECT_FALSE(port.read(handle, report, 200));
    ASSERT_TRUE(port.read(handle, report, 200));
    EXPECT_EQ(report[1], 0);
    EXPECT_FALSE(port.read(handle, report, 200));
    EXPECT_FALSE(port.read(handle, report, 200)); // nothing arrives: the time-out
}

TEST_F(HidDevicePortTest, UnpluggedMonitorFailsItsReadsAndWritesAndIsGone) {
    const QString monitor = bus.plug(kVendor, kProduct);
    HidDevicePort port;
    const DevicePort::Handle handle = port.open(kIdentifier);
    ASSERT_NE(handle, 0u);
    bus.queueRead(monitor, QByteArray::fromHex("075b0100030e081e"));
    bus.unplug(monitor);
    Report report{};
    EXPECT_FALSE(port.read(handle, report, 200));
    EXPECT_FALSE(port.write(handle, sent(0xFF), 200));
    port.close(handle);
    EXPECT_EQ(port.open(kIdentifier), 0u);
    EXPECT_EQ(port.openFailure(), OpenFailure::NoDevice);
}

TEST_F(HidDevicePortTest, TwoMonitorsAttachedOpenNeither) {
    const QString first = bus.plug(kVendor, kProduct);
    const QString second = bus.plug(kVendor, kProduct);
    HidDevicePort port;
    EXPECT_EQ(port.open(kIdentifier), 0u);
    EXPECT_EQ(port.openFailure(), OpenFailure::SeveralDevices);
}

TEST_F(HidDevicePortTest, MonitorTheUserMayNotOpenIsToldApart) {
    bus.forbid(bus.plug(kVendor, kProduct));
    HidDevicePort port;
    const WithoutFileAccessOverride asUser;
    EXPECT_EQ(port.open(kIdentifier), 0u);
    EXPECT_EQ(port.openFailure(), OpenFailure::NoAccess);
}

TEST_F(HidDevicePortTest, NumberedReportsCarryTheMonitorsReportNumber) {
    const QString monitor = bus.plug(kVendor, kProduct, 3);
    HidDevicePort port;
    const DevicePort::Handle handle = port.open(kIdentifier);
    ASSERT_NE(handle, 0u);
    EXPECT_TRUE(port.write(handle, sent(0xFF), 200));
    EXPECT_EQ(bus.written(monitor), QList<QByteArray>{command(3, 0xFF)});
    bus.queueRead(monitor, QByteArray::fromHex("03075b0100030e081e"));
    bus.queueRead(monitor, QByteArray::fromHex("04075b0100030e081e")); // another report
    bus.queueRead(monitor, QByteArray::fromHex("03075b01"));
    Report report{};
    ASSERT_TRUE(port.read(handle, report, 200));
    EXPECT_EQ(report, (Report{3, 7, 0x5B, 1, 0, 3, 14, 8, 30}));
    EXPECT_FALSE(port.read(handle, report, 200));
    EXPECT_FALSE(port.read(handle, report, 200));
}

namespace {

// The engine downloads through the real port from a node that answers like a monitor;
// returns the systolic values of memory 1.
std::vector<int> downloadThroughThePort(EmulatedBus& bus, quint8 reportId) {
    const QString node = bus.plug(kVendor, kProduct, reportId);
    device::Scenario scenario;
    scenario.layout = device::kLayoutOne;
    scenario.memory1 = {device::reading(3, 14, 8, 30, 128, 82, 70),
                        device::reading(3, 15, 9, 5, 301, 85, 72)};
    bus.answerLike(node, scenario);
    TempAppDir dir;
    store::Tdm1 dm1(dir.path());
    dm1.DataModuleCreate();
    HidDevicePort port;
    RecordingReport messages;
    device::PlainGauge gauge1;
    device::PlainGauge gauge2;
    device::TReceiData engine(
        {port, messages, [](int) {}, [] { return QDateTime(QDate(2024, 6, 15), QTime(12, 0)); }});
    engine.setMemories({{{&dm1.ado_rc1, &gauge1, QString()}, {&dm1.ado_rc2, &gauge2, QString()}}});
    engine.setDeviceID(kIdentifier);
    engine.Execute();
    EXPECT_EQ(engine.ErrorCount(), 0);
    EXPECT_EQ(messages.shown, QStringList{});
    EXPECT_EQ(bus.written(node).first(), command(reportId, 0x5A));
    store::Dataset rows(dm1.ADOConnection1, store::WriteMode::Immediate);
    rows.setCommandText("select systolic from bp_record_user1 order by idno");
    rows.open();
    std::vector<int> systolic;
    for (rows.first(); !rows.eof(); rows.next())
        systolic.push_back(rows.asInteger("systolic"));
    return systolic;
}

} // namespace

TEST_F(HidDevicePortTest, WholeDownloadRunsThroughThePort) {
    EXPECT_EQ(downloadThroughThePort(bus, 0), (std::vector{128, 301}));
}

TEST_F(HidDevicePortTest, WholeDownloadWithNumberedReports) {
    EXPECT_EQ(downloadThroughThePort(bus, 5), (std::vector{128, 301}));
}
