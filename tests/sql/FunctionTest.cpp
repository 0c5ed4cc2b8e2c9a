#include "TestDb.h"

#include <gtest/gtest.h>

using Rows = std::vector<std::string>;

TEST(RoundFunction, HalvesGoToTheEvenNeighbour) {
    TestDb db;
    EXPECT_EQ(db.value("select round(2.5,0), round(3.5,0), round(-2.5,0), round(-3.5,0), "
                       "round(2.4999,0), round(2.5000001,0), round(0.5,0), round(1.5)"),
              "2|4|-2|-4|2|3|0|2");
}

TEST(RoundFunction, WholeResultsAreIntegers) {
    TestDb db;
    EXPECT_EQ(db.value("select typeof(round(120.5,0)), typeof(round(7)), round(7,2), "
                       "typeof(round(1.25,1))"),
              "integer|integer|7|real");
}

TEST(RoundFunction, DigitsRoundTheShownDecimal) {
    TestDb db;
    EXPECT_EQ(db.value("select round(1.25,1), round(1.35,1), round(2.675,2), round(0.125,2), "
                       "round(-1.25,1)"),
              "1.2|1.4|2.68|0.12|-1.2");
}

TEST(RoundFunction, NullAndBadArguments) {
    TestDb db;
    EXPECT_EQ(db.value("select round(null,0), round(2.5,null), round('2.5',0)"), "NULL|NULL|2");
    EXPECT_NE(db.error("select round(2.5,-1)"), "");
    EXPECT_NE(db.error("select round('abc',0)"), "");
}

TEST(RoundFunction, AveragesPerGroup) {
    TestDb db;
    db.exec("create table m(k text, v integer);"
            "insert into m values('a',120),('a',121),('b',121),('b',122),('c',1),('c',2),"
            "('c',2),('c',2),('d',-3),('d',-2)");
    EXPECT_EQ(db.rows("select k, round(avg(v),0) from m group by k order by k"),
              (Rows{"a|120", "b|122", "c|2", "d|-2"}));
}

TEST(DatePartFunction, WeeksStartOnSundayAndWeekOneHoldsFirstOfJanuary) {
    TestDb db;
    const auto week = [&db](const char* date) {
        return db.value(QStringLiteral("select DatePart('ww','%1 12:00:00')").arg(date));
    };
    EXPECT_EQ(week("2011-01-01"), "1"); // Saturday
    EXPECT_EQ(week("2011-01-02"), "2"); // Sunday
    EXPECT_EQ(week("2011-01-08"), "2");
    EXPECT_EQ(week("2011-01-09"), "3");
    EXPECT_EQ(week("2011-12-31"), "53");
    EXPECT_EQ(week("2012-01-01"), "1"); // Sunday
    EXPECT_EQ(week("2012-01-07"), "1");
    EXPECT_EQ(week("2012-01-08"), "2");
    EXPECT_EQ(week("2012-12-31"), "53");
    EXPECT_EQ(week("2000-12-31"), "54"); // leap year that starts on a Saturday
    EXPECT_EQ(week("2010-01-01"), "1");  // Friday
    EXPECT_EQ(week("2010-01-03"), "2");
}

TEST(DatePartFunction, OtherIntervals) {
    TestDb db;
    EXPECT_EQ(db.value("select DatePart('m','2011-03-05 10:00:00'), DatePart('M','2011-12-31'), "
                       "DatePart('yyyy','2011-03-05 10:00:00'), DatePart('d','2011-03-05'), "
                       "DatePart('q','2011-03-31'), DatePart('q','2011-04-01'), "
                       "DatePart('WW','2011-01-02'), typeof(DatePart('ww','2011-01-02'))"),
              "3|12|2011|5|1|2|2|integer");
    EXPECT_EQ(db.value("select DatePart('ww',null)"), "NULL");
    EXPECT_NE(db.error("select DatePart('n','2011-03-05 10:00:00')"), "");
    EXPECT_NE(db.error("select DatePart('m','5.3.2011')"), "");
}

TEST(DatePartFunction, WeekdayCountsFromSunday) {
    TestDb db;
    EXPECT_EQ(db.value("select DatePart('w','2011-01-02 12:00:00'), DatePart('w','2011-01-03'), "
                       "DatePart('W','2011-01-08'), DatePart('w','2012-02-29')"),
              "1|2|7|4");
}

TEST(DateAddFunction, MovesByDaysAndKeepsTheTime) {
    TestDb db;
    EXPECT_EQ(db.value("select DateAdd('d',6,'2025-12-28 07:30:00'), DateAdd('D',-1,'2024-03-01'), "
                       "DateAdd('d',0,'2011-03-05 10:00:00'), DateAdd('d',7-DatePart('w',"
                       "'2012-02-27'),'2012-02-27'), DateAdd('d',1,null), DateAdd('d',null,"
                       "'2011-03-05')"),
              "2026-01-03 07:30:00|2024-02-29|2011-03-05 10:00:00|2012-03-03|NULL|NULL");
    for (const char* bad : {"DateAdd('m',1,'2011-03-05')", "DateAdd('d',1,'5.3.2011')",
                            "DateAdd('d',1.5,'2011-03-05')", "DateAdd('d','x','2011-03-05')"})
        EXPECT_NE(db.error(QStringLiteral("select %1").arg(bad)), "") << bad;
}

TEST(FormatFunction, DayMonthAndYearFirstPatterns) {
    TestDb db;
    EXPECT_EQ(db.value("select format('2011-03-05 10:20:00','dd/MM/yyyy'), "
                       "format('2011-03-05 10:20:00','dd.MM.yyyy'), "
                       "format('2011-03-05 10:20:00','MM-dd-yyyy'), "
                       "format('2011-03-05','yyyy-MM-dd'), format('2011-12-31','yyyy.MM.dd')"),
              "05/03/2011|05.03.2011|03-05-2011|2011-03-05|2011.12.31");
}

TEST(FormatFunction, NullNonDatesAndUnknownPatterns) {
    TestDb db;
    EXPECT_EQ(db.value("select format(null,'dd.MM.yyyy'), format('soon','dd.MM.yyyy'), "
                       "typeof(format('2011-03-05','yyyy'))"),
              "NULL|soon|text");
    for (const char* pattern : {"d.M.yy", "dd.mm.yyyy", "dd.MM.yyyy hh"}) {
        EXPECT_NE(db.error(QStringLiteral("select format('2011-03-05','%1')").arg(pattern)), "")
            << pattern;
    }
}
