#include "EngineFixture.h"
#include "support/LocalZone.h"

using device::reading;

namespace {

device::Report report(const QByteArray& hex) {
    device::Report r{};
    const QByteArray bytes = QByteArray::fromHex(hex);
    std::copy(bytes.begin(), bytes.end(), r.begin() + 1);
    return r;
}

} // namespace

TEST_F(EngineTest, RecordsSplitAcrossReportsLandInTheirMemoriesTables) {
    download(fiveReadings());
    EXPECT_EQ(errorCount, 0);
    EXPECT_EQ(messages.shown, QStringList{});
    EXPECT_EQ(rows("bp_record_user1"), (Rows{
                                           "1 Smith 128/82 70 03/14 08:30 2024-03-14 08:30:00",
                                           "2 Smith 131/85 72 03/15 09:05 2024-03-15 09:05:00",
                                           "3 Smith 119/78 66 04/01 20:45 2024-04-01 20:45:00",
                                       }));
    EXPECT_EQ(rows("bp_record_user2"), (Rows{
                                           "1 O'Neill 142/91 80 05/02 07:00 2024-05-02 07:00:00",
                                           "2 O'Neill 139/88 77 05/03 07:10 2024-05-03 07:10:00",
                                       }));
    EXPECT_EQ(
        (std::vector{gauge1.progress(), gauge1.maxValue(), gauge2.progress(), gauge2.maxValue()}),
        (std::vector{3, 3, 2, 2}));
    EXPECT_FALSE(monitor->isOpen());
}

TEST_F(EngineTest, ReportsOfAnySizeAndEmptyReportsBetweenThemAssembleRecords) {
    device::Scenario s;
    s.reports = {
        report("075a0209030e081e"), // layout one, 2 records (byte 4 ignored), 4 bytes of #1
        report("0300805246"),       // completes #1 up to the diastolic
        report("00ffffffffffffff"), // empty: its bytes are not data
        report("0146"),             // pulse: #1 complete
        report("070401170001844e"), // 7 bytes of #2, systolic 132 + 256
        report("0142"),             // completes #2
    };
    download(s);
    EXPECT_EQ(errorCount, 0);
    EXPECT_EQ(rows("bp_record_user1"), (Rows{
                                           "1 Smith 128/82 70 03/14 08:30 2024-03-14 08:30:00",
                                           "2 Smith 388/78 66 04/01 23:00 2024-04-01 23:00:00",
                                       }));
    EXPECT_TRUE(rows("bp_record_user2").empty());
    EXPECT_EQ(gauge2.maxValue(), 0);
}

// Dropped records still count, so the download ends normally; idno counts kept rows only.
// Any non-zero systolic flag adds exactly 256; a systolic low byte of 0 drops the record.
TEST_F(EngineTest, ImpossibleReadingsAreDroppedButCounted) {
    device::Scenario s;
    s.memory1 = {
        reading(0, 1, 8, 0, 120, 80, 60),         reading(13, 1, 8, 0, 120, 80, 60),
        reading(6, 1, 8, 0, 121, 80, 60),         reading(6, 0, 8, 0, 120, 80, 60),
        reading(4, 31, 8, 0, 120, 80, 60),        reading(6, 1, 24, 0, 120, 80, 60),
        reading(6, 1, 8, 60, 120, 80, 60),        reading(6, 1, 8, 0, 120, 0, 60),
        reading(6, 1, 8, 0, 120, 80, 0),          reading(6, 2, 8, 0, 122, 80, 60),
        device::Record{6, 3, 8, 0, 2, 4, 80, 60}, device::Record{6, 3, 9, 0, 1, 0, 80, 60}};
    download(s);
    EXPECT_EQ(errorCount, 0);
    EXPECT_EQ(rows("bp_record_user1"), (Rows{
                                           "1 Smith 121/80 60 06/01 08:00 2024-06-01 08:00:00",
                                           "2 Smith 122/80 60 06/02 08:00 2024-06-02 08:00:00",
                                           "3 Smith 260/80 60 06/03 08:00 2024-06-03 08:00:00",
                                       }));
    EXPECT_EQ(gauge1.progress(), 3);
}

// The monitor's clock may run up to a day ahead of the computer's.
TEST_F(EngineTest, ReadingGetsTheLatestYearThatIsNotMoreThanADayAhead) {
    now = QDateTime(QDate(2025, 1, 10), QTime(12, 0));
    device::Scenario s;
    s.memory1 = {reading(12, 30, 18, 0, 120, 80, 60), reading(1, 10, 11, 59, 121, 80, 60),
                 reading(1, 11, 12, 0, 122, 80, 60), reading(1, 11, 12, 1, 123, 80, 60),
                 reading(2, 29, 7, 0, 124, 80, 60)};
    download(s);
    EXPECT_EQ(rows("bp_record_user1"), (Rows{
                                           "1 Smith 120/80 60 12/30 18:00 2024-12-30 18:00:00",
                                           "2 Smith 121/80 60 01/10 11:59 2025-01-10 11:59:00",
                                           "3 Smith 122/80 60 01/11 12:00 2025-01-11 12:00:00",
                                           "4 Smith 123/80 60 01/11 12:01 2024-01-11 12:01:00",
                                           "5 Smith 124/80 60 02/29 07:00 2024-02-29 07:00:00",
                                       }));
}

TEST_F(EngineTest, MonitorClockMinutesAheadKeepsTheCurrentYear) {
    device::Scenario s;
    s.memory1 = {reading(6, 15, 12, 5, 120, 80, 60), reading(6, 16, 18, 0, 121, 80, 60)};
    download(s);
    EXPECT_EQ(rows("bp_record_user1"), (Rows{
                                           "1 Smith 120/80 60 06/15 12:05 2024-06-15 12:05:00",
                                           "2 Smith 121/80 60 06/16 18:00 2023-06-16 18:00:00",
                                       }));
    now = QDateTime(QDate(2024, 12, 31), QTime(20, 0));
    emptyTables();
    s.memory1 = {reading(1, 1, 8, 0, 122, 80, 60)};
    download(s);
    EXPECT_EQ(rows("bp_record_user1"), Rows{"1 Smith 122/80 60 01/01 08:00 2025-01-01 08:00:00"});
}

// A dropped record of memory 1 must not pull memory 2's first record into memory 1.
TEST_F(EngineTest, RecordsGoToTheirMemoryByPositionWhenOneIsDropped) {
    device::Scenario s = fiveReadings();
    s.memory1[1][7] = 0; // no pulse
    download(s);
    EXPECT_EQ(rows("bp_record_user1").size(), 2u);
    EXPECT_EQ(rows("bp_record_user2"), (Rows{
                                           "1 O'Neill 142/91 80 05/02 07:00 2024-05-02 07:00:00",
                                           "2 O'Neill 139/88 77 05/03 07:10 2024-05-03 07:10:00",
                                       }));
    EXPECT_EQ((std::vector{gauge1.progress(), gauge2.progress()}), (std::vector{2, 2}));
}

TEST_F(EngineTest, EmptyFirstMemorySendsEverythingToTheSecond) {
    device::Scenario s = fiveReadings();
    s.memory1.clear();
    download(s);
    EXPECT_TRUE(rows("bp_record_user1").empty());
    EXPECT_EQ(rows("bp_record_user2").size(), 2u);
    EXPECT_EQ(gauge1.maxValue(), 0);
}

TEST_F(EngineTest, HeaderWithoutRecordsEndsAtOnceWithSuccess) {
    for (const quint8 layout : {device::kLayoutOne, device::kLayoutTwo}) {
        SCOPED_TRACE(layout);
        device::Scenario s;
        s.layout = layout;
        download(s);
        EXPECT_EQ(errorCount, 0);
        EXPECT_EQ(count("write FF"), 1 + 50);
        EXPECT_EQ(count("write 5A"), 2);
        EXPECT_EQ(windowMessages.back(), int(store::WindowMessage::DownloadDone));
    }
}

TEST_F(EngineTest, ReadingInADaylightSavingGapKeepsItsDigits) {
    const LocalZone berlin("Europe/Berlin");
    now = QDateTime(QDate(2024, 6, 15), QTime(12, 0));
    device::Scenario s;
    s.memory1 = {reading(3, 31, 2, 30, 120, 80, 60)};
    download(s);
    EXPECT_EQ(rows("bp_record_user1"), Rows{"1 Smith 120/80 60 03/31 02:30 2024-03-31 02:30:00"});
}
