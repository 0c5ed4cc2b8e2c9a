#include "EngineFixture.h"

using device::ExtraReports;
using device::WriteFault;

// Two records: the header and two reports.
TEST_F(EngineTest, WindowMessagesFollowEachStepInOrder) {
    device::Scenario s;
    s.memory1 = {device::reading(3, 14, 8, 30, 128, 82, 70)};
    s.memory2 = {device::reading(5, 2, 7, 0, 142, 91, 80)};
    s.openFailures = 1;
    s.writeFailures = {WriteFault{0x5A, 1, 2}, WriteFault{0xFF, 2, 1}};
    download(s);
    EXPECT_EQ(windowMessages, (std::vector<int>{
                                  1126,       // open failed once
                                  1126, 1127, // opening command failed twice
                                  1131,       // opening command accepted
                                  1131,       // request 1: header
                                  1126, 1131, // request 2 failed once, then accepted
                                  1131,       // record 1 kept
                                  1131, 1131, // request 3, record 2 kept
                                  1125,       // applied
                              }));
}

TEST_F(EngineTest, PausesOfADownloadWithoutRecords) {
    receiveDelay = 7;
    download(device::Scenario{});
    std::vector<int> expected{7, 7, 20, 7, 20, 7};
    expected.insert(expected.end(), 50, 15);
    EXPECT_EQ(pauses, expected);
}

TEST_F(EngineTest, FiftyTrailingRequestsOnlyAfterSuccess) {
    download(fiveReadings());
    const QStringList& log = monitor->log();
    const qsizetype closing = log.lastIndexOf("write 5A");
    ASSERT_GT(closing, 0);
    EXPECT_EQ(log.mid(closing + 1), QStringList(50, "write FF") << "close");

    device::Scenario failing = fiveReadings();
    failing.extraReports = {ExtraReports{3, 12, 0}};
    download(failing);
    EXPECT_EQ(count("write 5A"), 1);
    EXPECT_EQ(monitor->log().mid(monitor->log().size() - 2), (QStringList{"read", "close"}));
    EXPECT_EQ(std::count(windowMessages.begin(), windowMessages.end(),
                         int(store::WindowMessage::DownloadDone)),
              1);
}

TEST_F(EngineTest, SixEmptyReportsWaitAndReadAgainWithoutARequest) {
    device::Scenario s = fiveReadings();
    s.extraReports = {ExtraReports{3, 6, 0}};
    download(s);
    EXPECT_EQ(errorCount, 0);
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 3000), 1);
    // Only the read after the wait follows a read without a request between them.
    const QStringList& log = monitor->log();
    int rereads = 0;
    for (qsizetype i = 1; i < log.size(); ++i)
        rereads += log[i - 1] == "read" && log[i].startsWith("read");
    EXPECT_EQ(rereads, 1);
    EXPECT_EQ(rows("bp_record_user1").size(), 3u);
    EXPECT_EQ(rows("bp_record_user2").size(), 2u);
}

// Counts outside the protocol are failed reads: the next report is read instead.
TEST_F(EngineTest, ReportsWithImpossibleCountsAreNotDecoded) {
    for (const ExtraReports broken :
         {ExtraReports{0, 1, 1}, ExtraReports{0, 1, 2}, ExtraReports{0, 1, 8},
          ExtraReports{3, 1, 8}, ExtraReports{3, 5, 255}}) {
        SCOPED_TRACE(testing::Message() << broken.before << " " << int(broken.countByte));
        device::Scenario s = fiveReadings();
        s.extraReports = {broken};
        emptyTables();
        download(s);
        EXPECT_EQ(errorCount, 0);
        EXPECT_EQ(messages.shown, QStringList{});
        EXPECT_EQ(rows("bp_record_user1").size(), 3u);
        EXPECT_EQ(rows("bp_record_user2").size(), 2u);
    }
}
