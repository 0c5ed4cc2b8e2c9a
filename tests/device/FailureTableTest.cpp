#include "EngineFixture.h"

using device::ExtraReports;
using device::ReadFault;
using device::WriteFault;

namespace {

device::Scenario failingWrites(quint8 command, int from, int times) {
    device::Scenario s = fiveReadings();
    s.writeFailures = {WriteFault{command, from, times}};
    return s;
}

} // namespace

TEST_F(EngineTest, NoMonitorAfterSixOpensIsReportedWithoutOpeningAnything) {
    device::Scenario s = fiveReadings();
    s.openFailures = 6;
    download(s);
    expectFailed("inform:no_device", 1);
    EXPECT_EQ(count("open failed"), 6);
    EXPECT_EQ(count("open"), 0);
    EXPECT_EQ(windowMessages, (std::vector<int>{1126, 1127, 1128, 1129, 1130}));
}

TEST_F(EngineTest, MonitorThatCannotBeOpenedSaysWhy) {
    for (const auto& [reason, key] :
         {std::pair{device::OpenFailure::SeveralDevices, "inform:several_devices"},
          std::pair{device::OpenFailure::NoAccess, "inform:no_device_access"}}) {
        SCOPED_TRACE(key);
        device::Scenario s = fiveReadings();
        s.openFailures = 6;
        s.openFailureReason = reason;
        messages.shown.clear();
        download(s);
        expectFailed(key, 1);
    }
}

TEST_F(EngineTest, OpeningCommandFailingThreeTimesIsASendError) {
    download(failingWrites(0x5A, 1, 3));
    expectFailed("fail:send_error", 1);
    EXPECT_EQ(count("write FF"), 0);
    EXPECT_EQ(windowMessages, (std::vector<int>{1126, 1127}));
}

TEST_F(EngineTest, RequestFailingSixTimesInOneCycleDiscardsTheKeptRows) {
    // Requests 1 to 4 bring the header and memory 1's three records.
    download(failingWrites(0xFF, 5, 6));
    expectFailed("fail:send_error", 1);
    EXPECT_EQ(gauge1.progress(), 3);
}

TEST_F(EngineTest, ReadFailingSixTimesInOneCycleIsAReadError) {
    device::Scenario s = fiveReadings();
    s.readTimeouts = {ReadFault{4, 6}};
    download(s);
    expectFailed("fail:read_error", 1);
    // Each retry is preceded by 30 requests.
    EXPECT_EQ(count("write FF"), 4 + 5 * 30);
}

// A stalled monitor must not hold the window for 30 write time-outs.
TEST_F(EngineTest, BurstOfRequestsEndsAtItsFirstFailedWrite) {
    device::Scenario s = fiveReadings();
    s.readTimeouts = {ReadFault{1, 1}};
    s.writeFailures = {WriteFault{0xFF, 2, 1}}; // the first of the burst
    download(s);
    EXPECT_EQ(errorCount, 0);
    const QStringList& log = monitor->log();
    const qsizetype failed = log.indexOf("write FF failed");
    ASSERT_GE(failed, 0);
    EXPECT_EQ(log.at(failed + 1), "read");
    EXPECT_EQ(count("write FF"), 7 + 50); // one per report, the trailing burst
}

TEST_F(EngineTest, SecondRunOfSixEmptyReportsIsAReadError) {
    device::Scenario s = fiveReadings();
    s.extraReports = {ExtraReports{2, 12, 0}};
    download(s);
    expectFailed("fail:read_error", 1);
}

TEST_F(EngineTest, EmptyFirstReportMeansTheMonitorIsOff) {
    device::Scenario s = fiveReadings();
    s.extraReports = {ExtraReports{0, 1, 0}};
    download(s);
    expectFailed("fail:send_error_poweroff", 1);
}

TEST_F(EngineTest, UnknownLayoutAbortsSilentlyAfterItsMessage) {
    device::Scenario s = fiveReadings();
    s.layout = 0x5C;
    EXPECT_THROW(download(s), device::SilentAbort);
    expectFailed("inform:recorderror", 0);
}

TEST_F(EngineTest, ClosingCommandFailingIsASendError) {
    download(failingWrites(0x5A, 2, 1));
    expectFailed("fail:send_error", 1);
    EXPECT_EQ(windowMessages.back(), int(store::WindowMessage::Refresh));
}

TEST_F(EngineTest, MonitorGoneInMidStreamIsASendError) {
    device::Scenario s = fiveReadings();
    s.disconnectAfter = 3;
    download(s);
    expectFailed("fail:send_error", 1);
}

// One failure fewer than each limit is survived, and the download completes.
TEST_F(EngineTest, RetriesUpToTheirLimitsStillSucceed) {
    device::Scenario s = fiveReadings();
    s.openFailures = 5;
    s.writeFailures = {WriteFault{0x5A, 1, 2}, WriteFault{0xFF, 1, 5}};
    s.readTimeouts = {ReadFault{2, 5}};
    s.extraReports = {ExtraReports{2, 6, 0}, ExtraReports{4, 6, 0}};
    download(s);
    EXPECT_EQ(messages.shown, QStringList{});
    EXPECT_EQ(errorCount, 0);
    EXPECT_EQ(rows("bp_record_user1").size(), 3u);
    EXPECT_EQ(rows("bp_record_user2").size(), 2u);
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 3000), 2);
    EXPECT_FALSE(monitor->isOpen());
}
