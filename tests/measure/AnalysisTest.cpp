#include "DataPageFixture.h"
#include "measure/AnalysisQuery.h"
#include "sql/DialectStatements.h"

#include <QApplication>
#include <QCheckBox>

namespace {

using measure::AnalysisMode;

TEST(AnalysisQuery, TextsAreBuiltExactlyBlanksIncluded) {
    const QDate start(2011, 3, 1), end(2011, 3, 31);
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Time, "dd.MM.yyyy", start, end),
              "select delselection,personal,systolic,diastolic,heart_beat,checktime from "
              "bp_record  where checktime>=#2011-3-1# and checktime<#2011-4-1# and personal=:a1 "
              "order by personal,checktime,delselection");
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Day, "dd.MM.yyyy", start, end),
              "select delselection,personal,round(avg(systolic),0) as systolic,round(avg("
              "diastolic),0) as diastolic, round(avg(heart_beat),0) as heart_beat,format("
              "checktime,'dd.MM.yyyy') as checktime  from bp_record where checktime>=#2011-3-1# "
              "and checktime<#2011-4-1# and personal=:a1 group by delselection,personal,format("
              "checktime,'dd.MM.yyyy') order by personal,format(checktime,'dd.MM.yyyy'),"
              "delselection");
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Week, "dd.MM.yyyy", start, end),
              "select delselection,personal,round(avg(systolic),0) as systolic,round(avg("
              "diastolic),0) as diastolic,round(avg(heart_beat),0) as heart_beat,DatePart('ww',"
              "checktime) as checktime  from bp_record where checktime>=#2011-3-1# and "
              "checktime<#2011-4-1# and personal=:a1 group by delselection,personal,DatePart("
              "'ww',checktime) order by personal,DatePart('ww',checktime),delselection");
    EXPECT_EQ(measure::analysisQuery(AnalysisMode::Month, "dd.MM.yyyy", start, end),
              "select delselection,round(avg(systolic),0) as systolic,round(avg(diastolic),0) as "
              "diastolic,round(avg(heart_beat),0) as heart_beat,DatePart('m',checktime) as "
              "checktime  from bp_record where checktime>=#2011-3-1# and checktime<#2011-4-1# and "
              "personal=:a1 group by delselection,personal,DatePart('m',checktime) order by "
              "personal,DatePart('m',checktime),delselection");
}

// The end day is included: the bound is the day after, also across a year.
TEST(AnalysisQuery, EndBoundIsTheDayAfter) {
    EXPECT_EQ(
        measure::analysisQuery(AnalysisMode::Day, "MM/dd/yyyy", {2011, 12, 1}, {2011, 12, 31}),
        dialect::dayQuery("MM/dd/yyyy", "2011-12-1", "2012-1-1"));
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
// the same period; days sort as text.
TEST_F(AnalysisResult, DayRowsAreAveragesOrderedAsText) {
    EXPECT_EQ(
        analyse(AnalysisMode::Day, {2011, 3, 1}, {2011, 4, 30}),
        (QStringList{"False|O'Brien|110|70|65|01.04.2011", "True|O'Brien|130|90|80|02.03.2011",
                     "False|O'Brien|122|80|60|02.03.2011"}));
    EXPECT_FALSE(page->allowDelete());
}

TEST_F(AnalysisResult, WeekAndMonthCarryTheirNumbersAndMonthNoName) {
    EXPECT_EQ(analyse(AnalysisMode::Week, {2011, 3, 1}, {2011, 4, 30}),
              (QStringList{"True|O'Brien|130|90|80|10", "False|O'Brien|122|80|60|10",
                           "False|O'Brien|110|70|65|14"}));
    EXPECT_EQ(analyse(AnalysisMode::Month, {2011, 3, 1}, {2011, 4, 30}),
              (QStringList{"True||130|90|80|3", "False||122|80|60|3", "False||110|70|65|4"}));
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
    EXPECT_EQ(shown(), QStringList{"False|Smith|150|95|90|10"});
    EXPECT_FALSE(page->allowDelete());
}

} // namespace
