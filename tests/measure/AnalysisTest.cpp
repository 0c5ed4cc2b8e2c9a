#include "DataPageFixture.h"
#include "measure/AnalysisQuery.h"
#include "measure/TrendChart.h"
#include "sql/DialectStatements.h"

#include <QApplication>
#include <QCheckBox>

namespace {

using measure::AnalysisMode;

TEST(AnalysisQuery, TextsAreBuiltExactlyBlanksIncluded) {
    const QDate start(2011, 3, 1), end(2011, 3, 31);
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Time, start, end),
              "select delselection,personal,systolic,diastolic,heart_beat,checktime,"
              "measurement_status from bp_record  where checktime>=#2011-3-1# and "
              "checktime<#2011-4-1# and personal=:a1 "
              "order by personal,checktime,delselection");
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Day, start, end),
              "select delselection,personal,round(avg(systolic),0) as systolic,round(avg("
              "diastolic),0) as diastolic, round(avg(heart_beat),0) as heart_beat,format("
              "checktime,'yyyy-MM-dd') as checktime  from bp_record where checktime>=#2011-3-1# "
              "and checktime<#2011-4-1# and personal=:a1 group by delselection,personal,format("
              "checktime,'yyyy-MM-dd') order by personal,format(checktime,'yyyy-MM-dd'),"
              "delselection");
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Week, start, end),
              "select delselection,personal,round(avg(systolic),0) as systolic,round(avg("
              "diastolic),0) as diastolic,round(avg(heart_beat),0) as heart_beat,format(DateAdd("
              "'d',7-DatePart('w',checktime),checktime),'yyyy-MM-dd') as checktime  from "
              "bp_record where checktime>=#2011-3-1# and checktime<#2011-4-1# and personal=:a1 "
              "group by delselection,personal,format(DateAdd('d',7-DatePart('w',checktime),"
              "checktime),'yyyy-MM-dd') order by personal,format(DateAdd('d',7-DatePart('w',"
              "checktime),checktime),'yyyy-MM-dd'),delselection");
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Month, start, end),
              "select delselection,round(avg(systolic),0) as systolic,round(avg(diastolic),0) as "
              "diastolic,round(avg(heart_beat),0) as heart_beat,format(checktime,'yyyy-MM') as "
              "checktime  from bp_record where checktime>=#2011-3-1# and checktime<#2011-4-1# and "
              "personal=:a1 group by delselection,personal,format(checktime,'yyyy-MM') order by "
              "personal,format(checktime,'yyyy-MM'),delselection");
}

// The end day is included: the bound is the day after, also across a year.
TEST(AnalysisQuery, EndBoundIsTheDayAfter) {
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Day, {2011, 12, 1}, {2011, 12, 31}),
              dialect::dayQuery("2011-12-1", "2012-1-1"));
}

TEST(ShortDateFormat, PatternFollowsTheOrderAndSeparatorOfTheSystemFormat) {
    const std::pair<QString, QString> cases[] = {
        {"d.M.yy", "dd.MM.yyyy"}, {"M/d/yy", "MM/dd/yyyy"}, {"yyyy/MM/dd", "yyyy-MM-dd"}};
    for (const auto& [system, pattern] : cases)
        EXPECT_EQ(measure::ShortDateFormat(system).pattern(), pattern) << qPrintable(system);
}

// Two-digit years would come back in the wrong century.
TEST(ShortDateFormat, TextsReadBackAsTheDateWrittenWithFourDigitYears) {
    const measure::ShortDateFormat dates("M/d/yy");
    const QDate far(2036, 2, 29);
    EXPECT_EQ(dates.write(far), "2/29/2036");
    EXPECT_EQ(dates.read(dates.write(far)), far);
    EXPECT_FALSE(dates.read("no date"));
}

class AnalysisDialog : public DataPageFixture {
protected:
    measure::ShortDateFormat dates{"dd.MM.yyyy"};
    QDate today = QDate::currentDate();
};

TEST_F(AnalysisDialog, ShowsThePassedRangeAndModeAndRecognisesAll) {
    measure::Tfrm_analysis dialog(context);
    dialog.prepare("week", "05.03.2011", "bad", "dd.MM.yyyy", dates);
    EXPECT_EQ(dialog.startPicker()->date(), QDate(2011, 3, 5));
    EXPECT_EQ(dialog.endPicker()->date(), today); // unreadable: the default stays
    EXPECT_EQ(dialog.radioGroup()->itemIndex(), 2);
    EXPECT_FALSE(dialog.allBox()->isChecked());

    // "All" 100 days ago still counts as "All".
    measure::Tfrm_analysis later(context);
    later.prepare("", dates.write(today.addDays(-3500)), dates.write(today.addDays(3500)),
                  "dd.MM.yyyy", dates);
    EXPECT_TRUE(later.allBox()->isChecked());
    EXPECT_EQ(later.radioGroup()->itemIndex(), 0);
    EXPECT_EQ(later.startPicker()->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Light));
    QString mode = "day", start, end;
    later.result(mode, start, end, dates);
    EXPECT_EQ(mode, "time");
    EXPECT_EQ(start, dates.write(today.addDays(-3600)));
    EXPECT_EQ(end, dates.write(today.addDays(3600)));
}

class AnalysisResult : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        persons({"O'Brien", "Smith"});
        reading("O'Brien", 121, 79, 60, "2011-03-02 08:00:00");
        reading("O'Brien", 122, 80, 61, "2011-03-02 20:00:00");
        reading("O'Brien", 130, 90, 80, "2011-03-02 21:00:00", true);
        reading("O'Brien", 110, 70, 65, "2011-04-01 10:00:00");
        reading("O'Brien", 160, 100, 80, "2011-12-31 23:00:00");
        reading("O'Brien", 170, 100, 80, "2012-01-01 00:00:00");
        reading("Smith", 150, 95, 90, "2011-03-05 09:00:00");
        window->m_dataClick();
    }

    QStringList analyse(AnalysisMode mode, const QDate& start, const QDate& end) {
        confirmAnalysis(mode, start, end);
        page->img_analyClick();
        return shown();
    }
};

// Halves round to even; marked readings form their own row, before the unmarked one of
// the same period; days come in calendar order in the locale's short date.
TEST_F(AnalysisResult, DayRowsAreAveragesInCalendarOrder) {
    EXPECT_EQ(
        analyse(AnalysisMode::Day, {2011, 3, 1}, {2011, 4, 30}),
        (QStringList{"True|O'Brien|130|90|80|02.03.2011", "False|O'Brien|122|80|60|02.03.2011",
                     "False|O'Brien|110|70|65|01.04.2011"}));
    EXPECT_FALSE(page->allowDelete());
}

TEST_F(AnalysisResult, WeekAndMonthCarryTheirYearAndMonthNoName) {
    EXPECT_EQ(analyse(AnalysisMode::Week, {2011, 3, 1}, {2011, 4, 30}),
              (QStringList{"True|O'Brien|130|90|80|Week 10, 2011",
                           "False|O'Brien|122|80|60|Week 10, 2011",
                           "False|O'Brien|110|70|65|Week 14, 2011"}));
    EXPECT_EQ(analyse(AnalysisMode::Month, {2011, 3, 1}, {2011, 4, 30}),
              (QStringList{"True||130|90|80|March 2011", "False||122|80|60|March 2011",
                           "False||110|70|65|April 2011"}));
}

// Two Decembers are two rows; the week from Sunday 28 December 2025 to Saturday
// 3 January 2026 is one row, week 1 of 2026; days come in calendar order, though a
// day-first text would sort 02.01. before 10.12.
class AnalysisAcrossYears : public AnalysisResult {
protected:
    void SetUp() override {
        AnalysisResult::SetUp();
        reading("O'Brien", 120, 80, 60, "2025-12-10 08:00:00");
        reading("O'Brien", 130, 85, 70, "2025-12-29 08:00:00");
        reading("O'Brien", 140, 95, 80, "2026-01-02 08:00:00");
        reading("O'Brien", 150, 90, 66, "2026-12-10 08:00:00");
    }

    QStringList analyse(AnalysisMode mode) {
        return AnalysisResult::analyse(mode, {2025, 12, 1}, {2026, 12, 31});
    }
};

TEST_F(AnalysisAcrossYears, EachRowIsOnePeriodOfOneYearInCalendarOrder) {
    EXPECT_EQ(analyse(AnalysisMode::Month),
              (QStringList{"False||125|82|65|December 2025", "False||140|95|80|January 2026",
                           "False||150|90|66|December 2026"}));
    EXPECT_EQ(analyse(AnalysisMode::Week), (QStringList{"False|O'Brien|120|80|60|Week 50, 2025",
                                                        "False|O'Brien|135|90|75|Week 1, 2026",
                                                        "False|O'Brien|150|90|66|Week 50, 2026"}));
    EXPECT_EQ(page->chart()->shownPeriods(), "Week 50, 2025 – Week 50, 2026");
    EXPECT_EQ(
        analyse(AnalysisMode::Day),
        (QStringList{"False|O'Brien|120|80|60|10.12.2025", "False|O'Brien|130|85|70|29.12.2025",
                     "False|O'Brien|140|95|80|02.01.2026", "False|O'Brien|150|90|66|10.12.2026"}));
}

// The week text and the month names follow the language; the stored readings show
// their moments again.
TEST_F(AnalysisAcrossYears, LabelsFollowTheLanguageAndLeaveWithTheAverages) {
    language.chooseLanguage("german");
    EXPECT_EQ(analyse(AnalysisMode::Week)[1], "False|O'Brien|135|90|75|Woche 1, 2026");
    EXPECT_EQ(analyse(AnalysisMode::Month)[0], "False||125|82|65|Dezember 2025");
    page->chart()->BitBtn2Click();
    EXPECT_EQ(page->chart()->shownPeriods(), "");
    choosePerson(0);
    EXPECT_EQ(shown()[0], "False|O'Brien|121|79|60|02.03.2011 08:00");
    EXPECT_EQ(page->chart()->shownPeriods(), "");
}

TEST_F(AnalysisResult, RangeEndingOnThirtyFirstDecemberHoldsThatWholeDay) {
    EXPECT_EQ(analyse(AnalysisMode::Time, {2011, 12, 31}, {2011, 12, 31}),
              QStringList{"False|O'Brien|160|100|80|31.12.2011 23:00"});
    EXPECT_TRUE(page->allowDelete());
}

TEST_F(AnalysisResult, CancelRerunsTheRememberedAnalysisForTheChosenPerson) {
    page->setShortDateFormat(measure::ShortDateFormat("d/M/yy"));
    QDate shownStart;
    QString shownFormat;
    page->setAnalysisDialogRunner([&](measure::Tfrm_analysis& dialog) {
        shownStart = dialog.startPicker()->date();
        shownFormat = dialog.endPicker()->displayFormat();
        return false;
    });
    page->img_analyClick();
    EXPECT_EQ(shownStart, QDate::currentDate().addDays(-7));
    EXPECT_EQ(shownFormat, "dd/MM/yyyy");
    EXPECT_EQ(shown().size(), 6); // nothing remembered yet: the list stays

    analyse(AnalysisMode::Week, {2011, 3, 1}, {2011, 3, 31});
    choosePerson(1);
    cancelAnalysis();
    page->img_analyClick();
    EXPECT_EQ(shown(), QStringList{"False|Smith|150|95|90|Week 10, 2011"});
    EXPECT_FALSE(page->allowDelete());
}

} // namespace
