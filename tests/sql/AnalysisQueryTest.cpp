#include "DialectStatements.h"
#include "TestDb.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

namespace {

// Readings of February and March 2011; the range 1 February to 31 March is written
// with the end bound of the day after.
class AnalysisQuery : public testing::Test {
protected:
    void SetUp() override {
        const auto add = [this](int sys, int dia, int pulse, const char* time, bool marked) {
            db.addReading("bp_record", "O'Brien", sys, dia, pulse, time, marked);
        };
        add(100, 60, 50, "2011-01-31 23:59:00", false); // before the range
        add(110, 70, 65, "2011-02-02 10:00:00", false);
        add(121, 81, 71, "2011-03-01 20:00:00", false);
        add(120, 80, 70, "2011-03-01 08:00:00", false);
        add(121, 79, 60, "2011-03-02 08:00:00", false);
        add(122, 80, 61, "2011-03-02 20:00:00", false);
        add(130, 90, 80, "2011-03-02 21:00:00", true);
        add(140, 95, 75, "2011-03-31 23:59:00", false);
        add(150, 99, 90, "2011-04-01 00:00:00", false); // after the range
        db.addReading("bp_record", "Smith", 200, 100, 100, "2011-03-01 08:00:00");
    }

    TestDb db;
    const QString start = QStringLiteral("2011-2-1");
    const QString end = QStringLiteral("2011-4-1");
    const QString person = QStringLiteral("O'Brien");
};

} // namespace

TEST_F(AnalysisQuery, TimeListsThePersonsReadingsInTheRange) {
    EXPECT_EQ(db.rows(dialect::timeQuery(start, end), person),
              (Rows{"0|O'Brien|110|70|65|2011-02-02 10:00:00|NULL",
                    "0|O'Brien|120|80|70|2011-03-01 08:00:00|NULL",
                    "0|O'Brien|121|81|71|2011-03-01 20:00:00|NULL",
                    "0|O'Brien|121|79|60|2011-03-02 08:00:00|NULL",
                    "0|O'Brien|122|80|61|2011-03-02 20:00:00|NULL",
                    "-1|O'Brien|130|90|80|2011-03-02 21:00:00|NULL",
                    "0|O'Brien|140|95|75|2011-03-31 23:59:00|NULL"}));
}

TEST_F(AnalysisQuery, TimeOverOneDay) {
    EXPECT_EQ(db.rows(dialect::timeQuery("2011-3-31", "2011-4-1"), person),
              Rows{"0|O'Brien|140|95|75|2011-03-31 23:59:00|NULL"});
}

// True is stored as -1, so in every order by the mark a marked reading stands before an
// unmarked one of the same moment or period.
TEST_F(AnalysisQuery, MarkedReadingsStandFirstAtTheSameMoment) {
    db.addReading("bp_record", person, 125, 85, 65, "2011-03-02 20:00:00", true);
    EXPECT_EQ(db.rows(dialect::timeQuery("2011-3-2", "2011-3-3"), person),
              (Rows{"0|O'Brien|121|79|60|2011-03-02 08:00:00|NULL",
                    "-1|O'Brien|125|85|65|2011-03-02 20:00:00|NULL",
                    "0|O'Brien|122|80|61|2011-03-02 20:00:00|NULL",
                    "-1|O'Brien|130|90|80|2011-03-02 21:00:00|NULL"}));
}

TEST_F(AnalysisQuery, DayAveragesInCalendarOrder) {
    EXPECT_EQ(db.rows(dialect::dayQuery(start, end), person),
              (Rows{"0|O'Brien|110|70|65|2011-02-02", "0|O'Brien|120|80|70|2011-03-01",
                    "-1|O'Brien|130|90|80|2011-03-02", "0|O'Brien|122|80|60|2011-03-02",
                    "0|O'Brien|140|95|75|2011-03-31"}));
}

// Each week is named by its Saturday.
TEST_F(AnalysisQuery, WeekAverages) {
    EXPECT_EQ(db.rows(dialect::weekQuery(start, end), person),
              (Rows{"0|O'Brien|110|70|65|2011-02-05", "-1|O'Brien|130|90|80|2011-03-05",
                    "0|O'Brien|121|80|66|2011-03-05", "0|O'Brien|140|95|75|2011-04-02"}));
}

TEST_F(AnalysisQuery, MonthAveragesCarryNoName) {
    EXPECT_EQ(db.rows(dialect::monthQuery(start, end), person),
              (Rows{"0|110|70|65|2011-02", "-1|130|90|80|2011-03", "0|125|83|67|2011-03"}));
}

TEST_F(AnalysisQuery, RangeEndingOnThirtyFirstDecember) {
    db.addReading("bp_record", person, 160, 100, 80, "2011-12-31 23:00:00");
    db.addReading("bp_record", person, 170, 100, 80, "2012-01-01 00:00:00");
    EXPECT_EQ(db.rows(dialect::monthQuery("2011-12-1", "2012-1-1"), person),
              Rows{"0|160|100|80|2011-12"});
}

// The same day, week or month of two years are two rows; the week from Sunday 28
// December 2025 to Saturday 3 January 2026 is one, after the week that ends on 27
// December.
TEST_F(AnalysisQuery, PeriodsOfDifferentYearsStayApartAndAWeekAcrossNewYearStaysWhole) {
    const auto add = [this](int systolic, const char* time) {
        db.addReading("bp_record", "Year", systolic, 80, 60, time);
    };
    add(120, "2025-12-10 08:00:00");
    add(124, "2025-12-27 08:00:00");
    add(130, "2025-12-28 08:00:00");
    add(140, "2026-01-03 21:00:00");
    add(150, "2026-12-10 08:00:00");
    const QString from = "2025-12-1", to = "2027-1-1";
    EXPECT_EQ(db.rows(dialect::monthQuery(from, to), "Year"),
              (Rows{"0|125|80|60|2025-12", "0|140|80|60|2026-01", "0|150|80|60|2026-12"}));
    EXPECT_EQ(db.rows(dialect::weekQuery(from, to), "Year"),
              (Rows{"0|Year|120|80|60|2025-12-13", "0|Year|124|80|60|2025-12-27",
                    "0|Year|135|80|60|2026-01-03", "0|Year|150|80|60|2026-12-12"}));
    EXPECT_EQ(db.rows(dialect::dayQuery(from, to), "Year").front(), "0|Year|120|80|60|2025-12-10");
}
