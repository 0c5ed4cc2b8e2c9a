#include "readings/ReadingStore.h"

#include "ImportFixture.h"
#include "store/DatabaseError.h"

namespace {

readings::Reading at(const QString& moment, int systolic = 120, bool mark = false) {
    return {QDateTime::fromString(moment, Qt::ISODate), systolic, 80, 70, mark};
}

// The file's and the connection's triggers that keep the name keys of bp_record.
const QStringList kKeyTriggers{"bp_record_key", "bp_record_key_inserted", "bp_record_new_key",
                               "bp_record_renamed"};

class ReadingStoreTest : public ImportFixture {
protected:
    QStringList keyTriggers() {
        return testkit::queryRows(
            db, "select name from sqlite_master where type='trigger' and tbl_name='bp_record' "
                "and name like 'bp%' "
                "union select name from sqlite_temp_master where type='trigger' and "
                "tbl_name='bp_record' and name like 'bp%' order by name");
    }
};

// Saved as a save from the monitor saves: day and time as MM/dd and HH:mm, a mark as -1.
TEST_F(ReadingStoreTest, FillsTheColumnsAsATransferDoes) {
    const readings::Reading noPulse{QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58)), 140, 90,
                                    std::nullopt, true};
    EXPECT_EQ(readings::storeReadings(db, "Müller", {at("2024-01-02T03:04:05"), noPulse}),
              (readings::StoreCounts{2, 0}));
    EXPECT_EQ(stored(), (QStringList{"2024-01-02 03:04:05|120|80|70|0|01/02|03:04",
                                     "2024-12-31 23:59:58|140|90||-1|12/31|23:59"}));
    EXPECT_EQ(testkit::queryRows(db, "select personal,personal_key from bp_record"),
              (QStringList{"Müller|müller", "Müller|müller"}));
    EXPECT_EQ(keyTriggers(), kKeyTriggers);
}

// Readings go out a few at a time: a full batch, a minute held within the batch, a tail.
TEST_F(ReadingStoreTest, StoresEveryReadingOfAListLongerThanABatch) {
    QVector<readings::Reading> list;
    for (int minute = 0; minute < 35; ++minute)
        list << readings::Reading{QDateTime(QDate(2024, 5, 1), QTime(8, 0)).addSecs(60 * minute),
                                  100 + minute, 70, std::nullopt, false};
    list.insert(20, readings::Reading{QDateTime(QDate(2024, 5, 1), QTime(8, 18, 30)), 99, 70,
                                      std::nullopt, false});
    EXPECT_EQ(readings::storeReadings(db, "Müller", list), (readings::StoreCounts{35, 1}));
    EXPECT_EQ(
        testkit::queryRows(db, "select count(*), min(systolic), max(systolic) from bp_record"),
        QStringList{"35|100|134"});
}

struct MinuteCase {
    const char* name;
    QString held; // stored first, as another tool may have written it
    QString person;
    readings::Reading reading;
    bool stored;
};

TEST_F(ReadingStoreTest, SkipsAReadingOfTheSamePersonAtTheSameMinute) {
    addPerson("Other");
    const MinuteCase cases[] = {
        {"same second", "2024-05-01 08:15:00", "Müller", at("2024-05-01T08:15:00"), false},
        {"other seconds", "2024-05-01 08:15:59", "Müller", at("2024-05-01T08:15:00", 130), false},
        {"held without seconds", "2024-05-01 08:15", "Müller", at("2024-05-01T08:15:30"), false},
        {"name in other case", "2024-05-01 08:15:00", "MÜLLER", at("2024-05-01T08:15:20"), false},
        {"next minute", "2024-05-01 08:15:59", "Müller", at("2024-05-01T08:16:00"), true},
        {"minute before", "2024-05-01 08:15:00", "Müller", at("2024-05-01T08:14:59"), true},
        {"next hour", "2024-05-01 08:59:30", "Müller", at("2024-05-01T09:00:00"), true},
        {"another day", "2024-05-01 08:15:00", "Müller", at("2024-05-02T08:15:00"), true},
        {"other person", "2024-05-01 08:15:00", "Other", at("2024-05-01T08:15:00"), true},
        {"held in another shape", "2024-05-01T08:15:00", "Müller", at("2024-05-01T08:15:00"), true},
    };
    for (const MinuteCase& c : cases) {
        db.execute("delete * from bp_record");
        db.execute(QStringLiteral("insert into bp_record(personal,checktime,systolic,diastolic) "
                                  "values ('Müller','%1',110,70)")
                       .arg(c.held));
        const readings::StoreCounts counts = readings::storeReadings(db, c.person, {c.reading});
        EXPECT_EQ(counts, (readings::StoreCounts{c.stored ? 1 : 0, c.stored ? 0 : 1})) << c.name;
        EXPECT_EQ(stored().size(), c.stored ? 2 : 1) << c.name;
    }
}

// One reading saved by hand, new (rowid 0) or over a stored row: another reading of the
// person at the same minute keeps everything as it was; the row's own minute does not.
TEST_F(ReadingStoreTest, SavesOneReadingUnlessAnotherHoldsItsMinute) {
    const struct {
        const char* name;
        qint64 rowid;
        readings::Reading reading;
        bool saved;
        QStringList rows;
    } cases[] = {
        {"new at a held minute", 0, at("2024-05-01T08:15:40", 150), false, {}},
        {"new at a free minute",
         0,
         at("2024-05-01T08:16:00", 150),
         true,
         {"2024-05-01 08:16:00|150|80|70|0|05/01|08:16"}},
        {"edit within its own minute",
         1,
         at("2024-05-01T08:15:30", 150, true),
         true,
         {"2024-05-01 08:15:30|150|80|70|-1|05/01|08:15"}},
        {"edit moved to a new day",
         1,
         {QDateTime(QDate(2024, 6, 2), QTime(7, 5)), 150, 90, std::nullopt, false},
         true,
         {"2024-06-02 07:05:00|150|90||0|06/02|07:05"}},
        {"edit onto the other's minute", 1, at("2024-05-01T09:30:59", 150), false, {}},
    };
    for (const auto& c : cases) {
        db.execute("delete * from bp_record");
        db.execute("insert into bp_record(rowid,personal,checktime,systolic,diastolic) values "
                   "(1,'Müller','2024-05-01 08:15:00',110,70),"
                   "(2,'Müller','2024-05-01 09:30:00',120,75)");
        const QStringList before = stored();
        EXPECT_EQ(readings::saveReading(db, "MÜLLER", c.reading, c.rowid), c.saved) << c.name;
        QStringList expected = before;
        if (c.rowid != 0 && c.saved)
            expected.removeAt(c.rowid - 1);
        expected += c.rows;
        expected.sort();
        QStringList now = stored();
        now.sort();
        EXPECT_EQ(now, expected) << c.name;
    }
}

TEST_F(ReadingStoreTest, AFailedWriteStoresNone) {
    db.execute("CREATE TRIGGER refuse BEFORE INSERT ON bp_record WHEN new.systolic = 133 "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(readings::storeReadings(
                     db, "Müller", {at("2024-05-01T08:00:00"), at("2024-05-01T09:00:00", 133)}),
                 store::DatabaseError);
    EXPECT_TRUE(stored().isEmpty());

    const readings::ImportResult result =
        import("Date,Sys,Dia\n2024-05-01 08:00,120,80\n2024-05-01 09:00,133,80\n", options());
    EXPECT_EQ(result.status, readings::ImportStatus::Failed);
    EXPECT_EQ(result.problem->key, "import_database_error");
    EXPECT_TRUE(result.problem->args.value(0).contains("disk full"));
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_EQ(keyTriggers(), kKeyTriggers);
}

TEST_F(ReadingStoreTest, ACancelStoresNothing) {
    const auto file = [](const char* format) {
        QByteArray bytes = "Date,Sys,Dia\n";
        for (int minute = 0; minute < 3 * readings::kCancelEvery; ++minute)
            bytes += QDateTime(QDate(2024, 5, 13), QTime(0, 0))
                         .addSecs(60 * minute)
                         .toString(format)
                         .toLatin1();
        return bytes;
    };
    // ISO dates read line by line: the file is read once. Slashed dates are read first for
    // their order, then stored: a cancel in either pass.
    const struct {
        QByteArray bytes;
        QList<int> asked;
    } cases[] = {{file("yyyy-MM-dd HH:mm,120,80\n"), {1, 3}},
                 {file("dd/MM/yyyy HH:mm,120,80\n"), {1, 3, 4, 6}}};
    for (const auto& c : cases) {
        for (int asked : c.asked) {
            int questions = 0;
            readings::ImportOptions chosen = options();
            chosen.cancelled = [&] { return ++questions == asked; };
            const readings::ImportResult result = import(c.bytes, chosen);
            EXPECT_EQ(result.status, readings::ImportStatus::Cancelled) << asked;
            EXPECT_EQ(result.problem->key, "import_cancelled");
            EXPECT_EQ(questions, asked);
            EXPECT_TRUE(stored().isEmpty()) << asked;
        }
        readings::ImportOptions chosen = options();
        chosen.cancelled = [] { return false; };
        EXPECT_EQ(import(c.bytes, chosen).summary.stored, 3 * readings::kCancelEvery);
        EXPECT_EQ(keyTriggers(), kKeyTriggers);
        db.execute("delete * from bp_record");
    }
}

// A slashed date after ISO ones is read in the order the whole file shows.
TEST_F(ReadingStoreTest, ALateSlashedDateIsReadInTheFilesOrder) {
    const readings::ImportResult result =
        import("Date,Sys,Dia\n2024-05-01 08:00,120,80\n02/05/2024 08:00,121,80\n"
               "13/05/2024 08:00,122,80\n",
               options());
    EXPECT_EQ(result.status, readings::ImportStatus::Done);
    EXPECT_EQ(testkit::queryRows(db, "select checktime from bp_record order by systolic"),
              (QStringList{"2024-05-01 08:00:00", "2024-05-02 08:00:00", "2024-05-13 08:00:00"}));
}

} // namespace
