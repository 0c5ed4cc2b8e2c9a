#include "DialectStatements.h"
#include "TestDb.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

namespace {

const QString readings = QStringLiteral(
    "select personal,systolic,diastolic,heart_beat,checktime,checktime_mmdd,checktime_hhmm%1 "
    "from %2 order by checktime,personal,systolic,diastolic,heart_beat");

} // namespace

TEST(DeleteStatements, DeleteAllAndDeleteOnePersonWithApostrophe) {
    TestDb db;
    db.addReading("bp_record", "O'Brien", 120, 80, 70, "2011-03-01 08:00:00");
    db.addReading("bp_record", "Smith", 121, 81, 71, "2011-03-01 09:00:00");
    db.addReading("bp_record_user1", "Smith", 122, 82, 72, "2011-03-01 10:00:00");

    db.exec("delete * from bp_record where personal='O''Brien'");
    EXPECT_EQ(db.rows("select personal from bp_record"), Rows{"Smith"});

    db.exec("delete * from bp_record_user1");
    db.exec("delete * from bp_record");
    EXPECT_EQ(db.value("select count(*) from bp_record_user1"), "0");
    EXPECT_EQ(db.value("select count(*) from bp_record"), "0");
}

// Names compare case-folded in every alphabet, not only in ASCII.
TEST(DeleteStatements, OnePersonInAnyCaseAndAlphabet) {
    TestDb db;
    for (const char* name : {"Müller", "müller", "Ørsted", "Иванов", "Muller"})
        db.addReading("bp_record", name, 120, 80, 70, "2011-03-01 08:00:00");

    EXPECT_EQ(db.rows("select personal from bp_record where personal=:a1", "MÜLLER"),
              (Rows{"Müller", "müller"}));
    db.exec("delete * from bp_record where personal='MÜLLER'");
    db.exec("delete * from bp_record where personal='ØRSTED'");
    db.exec("delete * from bp_record where personal='иВАНОВ'");
    EXPECT_EQ(db.rows("select personal from bp_record"), Rows{"Muller"});
}

TEST(DeleteStatements, QuotedNamesNeverExecute) {
    TestDb db;
    const QString hostile = QStringLiteral("'; drop table bp_record; --");
    db.addReading("bp_record", hostile, 120, 80, 70, "2011-03-01 08:00:00");
    db.addReading("bp_record", "delete * from bp_record #2011-1-1#", 121, 81, 71,
                  "2011-03-01 09:00:00");
    db.addReading("bp_record", "Smith", 122, 82, 72, "2011-03-01 10:00:00");

    db.exec("delete * from bp_record where personal='''; drop table bp_record; --'");
    ASSERT_TRUE(db.hasTable("bp_record"));
    EXPECT_EQ(db.rows("select personal from bp_record where personal='delete * from bp_record "
                      "#2011-1-1#'"),
              Rows{"delete * from bp_record #2011-1-1#"});
    db.exec("delete * from bp_record where personal='delete * from bp_record #2011-1-1#'");
    EXPECT_EQ(db.rows("select personal from bp_record"), Rows{"Smith"});
}

class SaveMemory : public testing::TestWithParam<const char*> {};

// Saving a memory drops the readings bp_record already holds (all five compared columns
// equal), then copies the rest; the copies carry no deletion mark.
TEST_P(SaveMemory, DropsKnownReadingsThenCopiesTheRest) {
    const QString scratch = GetParam();
    TestDb db;
    db.addReading("bp_record", "O'Brien", 120, 80, 70, "2011-03-01 08:00:00", true);
    db.addReading("bp_record", "Smith", 130, 85, 60, "2011-03-02 08:00:00");

    db.addReading(scratch, "O'Brien", 120, 80, 70, "2011-03-01 08:00:00"); // known
    db.addReading(scratch, "o'brien", 120, 80, 70, "2011-03-01 08:00:00"); // known, any case
    db.addReading("bp_record", "Ørsted", 110, 70, 60, "2011-03-03 08:00:00");
    db.addReading(scratch, "ØRSTED", 110, 70, 60, "2011-03-03 08:00:00"); // known, any alphabet
    db.addReading(scratch, "O'Brien", 120, 80, 70, "2011-03-01 08:01:00");
    db.addReading(scratch, "O'Brien", 121, 80, 70, "2011-03-01 08:00:00");
    db.addReading(scratch, "O'Brien", 120, 81, 70, "2011-03-01 08:00:00");
    db.addReading(scratch, "O'Brien", 120, 80, 71, "2011-03-01 08:00:00");
    db.addReading(scratch, "Smith", 120, 80, 70, "2011-03-01 08:00:00");
    db.addReading(scratch, "Smith", 130, 85, 60, "2011-03-02 08:00:00"); // known

    db.exec(dialect::joinedDelete(scratch));
    const Rows kept{"O'Brien|120|80|71|2011-03-01 08:00:00|03/01|08:00",
                    "O'Brien|120|81|70|2011-03-01 08:00:00|03/01|08:00",
                    "O'Brien|121|80|70|2011-03-01 08:00:00|03/01|08:00",
                    "Smith|120|80|70|2011-03-01 08:00:00|03/01|08:00",
                    "O'Brien|120|80|70|2011-03-01 08:01:00|03/01|08:01"};
    EXPECT_EQ(db.rows(readings.arg("", scratch)), kept);

    db.exec(dialect::copyToRecord(scratch));
    EXPECT_EQ(db.rows(readings.arg("", scratch)), kept);
    EXPECT_EQ(db.rows(readings.arg(",delselection", "bp_record")),
              (Rows{"O'Brien|120|80|70|2011-03-01 08:00:00|03/01|08:00|-1",
                    "O'Brien|120|80|71|2011-03-01 08:00:00|03/01|08:00|0",
                    "O'Brien|120|81|70|2011-03-01 08:00:00|03/01|08:00|0",
                    "O'Brien|121|80|70|2011-03-01 08:00:00|03/01|08:00|0",
                    "Smith|120|80|70|2011-03-01 08:00:00|03/01|08:00|0",
                    "O'Brien|120|80|70|2011-03-01 08:01:00|03/01|08:01|0",
                    "Smith|130|85|60|2011-03-02 08:00:00|03/02|08:00|0",
                    "Ørsted|110|70|60|2011-03-03 08:00:00|03/03|08:00|0"}));
}

TEST_P(SaveMemory, LeavesTheOtherMemoryAlone) {
    const QString scratch = GetParam();
    const QString other = scratch.endsWith(u'1') ? "bp_record_user2" : "bp_record_user1";
    TestDb db;
    db.addReading("bp_record", "Smith", 130, 85, 60, "2011-03-02 08:00:00");
    db.addReading(other, "Smith", 130, 85, 60, "2011-03-02 08:00:00");

    db.exec(dialect::joinedDelete(scratch));
    EXPECT_EQ(db.value("select count(*) from " + other), "1");
}

INSTANTIATE_TEST_SUITE_P(BothMemories, SaveMemory,
                         testing::Values("bp_record_user1", "bp_record_user2"));

TEST(SelectStatements, PersonNamesGroupedWithoutRegardToCase) {
    TestDb db;
    db.exec("insert into bp_userinfo(id,lastname,firstname) values(1,'Smith','A'),"
            "(2,'O''Brien','B'),(3,'adams','C'),(4,'smith','D')");
    db.exec(
        "insert into bp_userinfo(id,lastname,firstname) values(5,'Müller','E'),"
        "(6,'MÜLLER','F'),(7,'ИВАНОВ','G'),(8,'Иванов','H'),(9,'Ørsted','I'),(10,'ørsted','J')");
    const Rows names = db.rows("select lastname from bp_userinfo group by lastname");
    ASSERT_EQ(names.size(), 6u);
    EXPECT_EQ(names[0], "adams");
    EXPECT_EQ(QString::fromStdString(names[1]).toLower(), "müller");
    EXPECT_EQ(names[2], "O'Brien");
    EXPECT_EQ(QString::fromStdString(names[3]).toLower(), "smith");
    EXPECT_EQ(QString::fromStdString(names[4]).toLower(), "ørsted");
    EXPECT_EQ(QString::fromStdString(names[5]).toLower(), "иванов");
}

TEST(SelectStatements, FormTextsByGroupColumn) {
    TestDb db;
    db.exec("insert into bp_language(formname,\"group\",component,component_index,showtext) "
            "values('frm_main','menu','m1',0,'File'),('frm_main','caption','lbl',0,'Name'),"
            "('frm_main','hint','ok',0,'Done'),('frm_main','grid','DBGrid1',2,'Time'),"
            "('frm_main','grid','DBGrid1',1,'Pulse'),('other','caption','lbl',0,'x'),"
            "('Tfrm_x','title','title',0,'Monitor')");

    EXPECT_EQ(db.rows("select component,component_index,showtext from bp_language where "
                      "formname='frm_main' and [group]<>'hint' order by "
                      "formname,group,component,component_index"),
              (Rows{"lbl|0|Name", "DBGrid1|1|Pulse", "DBGrid1|2|Time", "m1|0|File"}));
    EXPECT_EQ(db.rows("select showtext from bp_language   where  [group] = 'hint' or [group] "
                      "= 'title' order by showtext"),
              (Rows{"Done", "Monitor"}));
}

TEST(SelectStatements, RangeBoundsMeanMidnight) {
    TestDb db;
    for (const char* time : {"2011-03-04 23:59:00", "2011-03-05 00:00:00", "2011-03-05 08:00:00",
                             "2011-12-31 23:59:00", "2012-01-01 00:00:00"}) {
        db.addReading("bp_record", "O'Brien", 120, 80, 70, time);
    }
    const auto times = [&db](const char* condition) {
        return db.rows(QStringLiteral("select checktime from bp_record where %1 order by checktime")
                           .arg(QLatin1StringView(condition)));
    };
    EXPECT_EQ(times("checktime <= #2011-3-5#"),
              (Rows{"2011-03-04 23:59:00", "2011-03-05 00:00:00"}));
    EXPECT_EQ(times("checktime = #2011-3-5#"), Rows{"2011-03-05 00:00:00"});
    EXPECT_EQ(times("checktime between #2011-3-5# and #2011-12-31#"),
              (Rows{"2011-03-05 00:00:00", "2011-03-05 08:00:00"}));
    EXPECT_EQ(times("checktime>=#2011-12-31# and checktime<#2012-1-1#"),
              Rows{"2011-12-31 23:59:00"});
    EXPECT_EQ(times("checktime>=#2012-1-1#"), Rows{"2012-01-01 00:00:00"});
}
