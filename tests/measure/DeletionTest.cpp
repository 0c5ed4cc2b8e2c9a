#include "DataPageFixture.h"
#include "measure/TrendChart.h"

#include <QLineSeries>

namespace {

class Deletion : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        persons({"O'Brien", "Smith"});
        reading("O'Brien", 110, 70, 60, "2011-03-01 08:00:00", true);
        reading("O'Brien", 120, 80, 60, "2011-03-02 08:00:00");
        reading("O'Brien", 130, 80, 60, "2011-03-03 08:00:00", true);
        reading("O'Brien", 140, 80, 60, "2011-03-04 08:00:00", true);
        reading("O'Brien", 150, 80, 60, "2011-03-05 08:00:00");
        reading("Smith", 200, 90, 60, "2011-03-01 08:00:00", true);
        window->m_dataClick();
    }

    qsizetype chartPoints() const { return page->chart()->systolicLine()->count(); }
};

TEST_F(Deletion, MarkedRowsOfTheListGoAdjacentOnesIncluded) {
    page->img_delete_selectionClick();
    EXPECT_EQ(messages.shown, QStringList{"ask:delete_selection_bprecord_ask"});
    EXPECT_EQ(stored(), (QStringList{"120|0", "150|0", "200|1"}));
    EXPECT_EQ(shown().size(), 2);
    EXPECT_EQ(chartPoints(), 2);
    EXPECT_EQ(dm1.ado_analysis.recNo(), 1);
}

TEST_F(Deletion, OnlyMarkedRowsInsideTheAnalysedRange) {
    confirmAnalysis(measure::AnalysisMode::Time, {2011, 3, 2}, {2011, 3, 3});
    page->img_analyClick();
    page->img_delete_selectionClick();
    EXPECT_EQ(stored(), (QStringList{"110|1", "120|0", "140|1", "150|0", "200|1"}));
}

TEST_F(Deletion, AnsweringNoChangesNothing) {
    messages.defaultAnswer = false;
    page->img_delete_selectionClick();
    page->img_delete_allClick();
    EXPECT_EQ(stored().size(), 6);
    EXPECT_EQ(messages.shown,
              (QStringList{"ask:delete_selection_bprecord_ask", "ask:delete_all_bprecord_ask"}));
}

// Rows of averages are no stored readings: nothing is deleted, and the user is told.
TEST_F(Deletion, MarkedRowsOfAveragesDeleteNothing) {
    confirmAnalysis(measure::AnalysisMode::Month, {2011, 3, 1}, {2011, 3, 31});
    page->img_analyClick();
    page->img_delete_selectionClick();
    EXPECT_EQ(messages.shown, QStringList{"inform:delete_selection_of_averages"});
    EXPECT_EQ(stored().size(), 6);
    EXPECT_FALSE(language.GetHintText("delete_selection_of_averages").isEmpty());
}

// One refused row keeps all rows: the deletion is one transaction.
TEST_F(Deletion, FailureKeepsEveryReadingAndSaysWhy) {
    dm1.adocom1.execute("create trigger refuse before delete on bp_record when "
                        "old.systolic=140 begin select raise(abort,'row refused'); end");
    page->img_delete_selectionClick();
    EXPECT_EQ(messages.shown.value(1), "error:row refused");
    EXPECT_EQ(stored().size(), 6);
    EXPECT_EQ(shown().size(), 5);
    EXPECT_FALSE(dm1.ado_analysis.controlsDisabled());
}

TEST_F(Deletion, AllReadingsOfAPersonWithAnApostrophe) {
    confirmAnalysis(measure::AnalysisMode::Time, {2011, 3, 2}, {2011, 3, 2});
    page->img_analyClick();
    page->img_delete_allClick();
    EXPECT_EQ(stored(), QStringList{"200|1"});
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(chartPoints(), 0);

    messages.shown.clear();
    page->img_delete_allClick(); // an empty list asks nothing
    page->img_delete_selectionClick();
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
