#include "DataPageFixture.h"
#include "output/ShowReport.h"
#include "support/RecordingDestination.h"

namespace {

using measure::AnalysisMode;

class DataPageReports : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        copyReportTemplates(dir.path());
        page->reports().setDestination(&recorder);
        persons({"Miller"});
        reading("Miller", 130, 85, 70, "2024-03-01 08:00:00");
        reading("Miller", 140, 90, 75, "2024-03-02 08:00:00");
    }

    RecordingDestination recorder;
};

TEST_F(DataPageReports, ClosedListShowsItsMessageAndRunsNoReport) {
    dm1.ado_analysis.close();
    page->img_preview_1Click();
    page->img_print_1Click();
    EXPECT_EQ(messages.shown, QStringList({"inform:preview_before_table_not_open",
                                           "inform:print_before_table_not_open"}));
    EXPECT_TRUE(recorder.runs.empty());
}

TEST_F(DataPageReports, TemplateFollowsWhetherTheListHoldsSingleReadings) {
    const QDate start(2024, 3, 1), end(2024, 3, 31);
    choosePerson(0);
    page->img_preview_1Click();
    confirmAnalysis(AnalysisMode::Day, start, end);
    page->img_analyClick();
    page->img_preview_1Click();
    confirmAnalysis(AnalysisMode::Time, start, end);
    page->img_analyClick();
    page->img_print_1Click();

    ASSERT_EQ(recorder.runs.size(), 3u);
    EXPECT_EQ(recorder.runs[0].templateFile, "analysis_table.rav");
    EXPECT_EQ(recorder.runs[1].templateFile, "analysis_table_fx.rav");
    EXPECT_EQ(recorder.runs[2].templateFile, "analysis_table.rav");
    EXPECT_EQ(recorder.runs[0].destination, "preview");
    EXPECT_EQ(recorder.runs[1].destination, "preview");
    EXPECT_EQ(recorder.runs[2].destination, "printer");
    for (const RecordedReport& run : recorder.runs) {
        EXPECT_EQ(run.dataset, &dm1.ado_analysis);
        EXPECT_EQ(run.rows, 2);
        EXPECT_EQ(run.person, "Miller");
    }
    // Averages carry no dates: the analysed range stands for the period.
    EXPECT_EQ(recorder.runs[1].period, "01.03.2024 – 31.03.2024");
}

// The period reads as in the grid; 87.5 and 72.5 round to even.
TEST_F(DataPageReports, AveragesShowTheirPeriodAsTheGridDoes) {
    choosePerson(0);
    confirmAnalysis(AnalysisMode::Month, {2024, 3, 1}, {2024, 3, 31});
    page->img_analyClick();
    page->img_preview_1Click();
    ASSERT_EQ(recorder.runs.size(), 1u);
    EXPECT_EQ(recorder.runs[0].firstRow, (QStringList{"March 2024", "135", "88", "72"}));
    EXPECT_EQ(page->grid()->shownRow(0).at(page->grid()->columnIndexOfField("checktime")),
              "March 2024");
}

} // namespace
