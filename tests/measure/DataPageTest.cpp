#include "DataPageFixture.h"
#include "measure/TrendChart.h"
#include "support/TempAppDir.h"
#include "ui/ImageButton.h"

#include <QCheckBox>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedWidget>

namespace {

class DataPage : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        persons({"O'Brien", "Smith"});
        reading("O'Brien", 120, 80, 70, "2011-03-01 08:00:00");
        reading("O'Brien", 140, 70, 60, "2011-03-02 08:00:00");
        reading("O'Brien", 130, 90, 65, "2011-03-03 08:00:00");
        reading("Smith", 150, 95, 80, "2011-03-01 09:00:00");
        window->m_dataClick();
    }

    QString current() const { return page->notebook()->currentWidget()->objectName(); }
};

TEST_F(DataPage, EnteringShowsTheFirstPersonsWholeListAsTable) {
    EXPECT_EQ(shown(), (QStringList{"False|O'Brien|120|80|70|01.03.2011 08:00",
                                    "False|O'Brien|140|70|60|02.03.2011 08:00",
                                    "False|O'Brien|130|90|65|03.03.2011 08:00"}));
    EXPECT_TRUE(page->allowDelete());

    chooseView(1);
    choosePerson(1);
    confirmAnalysis(measure::AnalysisMode::Week, {2011, 1, 1}, {2011, 12, 31});
    page->img_analyClick();
    ASSERT_FALSE(page->allowDelete());

    window->m_dataClick();
    EXPECT_EQ(page->viewBox()->currentIndex(), 0);
    EXPECT_EQ(page->comb_user()->currentText(), "O'Brien");
    EXPECT_EQ(current(), "Home");
    EXPECT_EQ(shown().size(), 3);
    EXPECT_TRUE(page->allowDelete());
}

// The deletions and the export need the table; the preview gives a report of the table
// or the summary of the statistics, and nothing of the chart alone.
TEST_F(DataPage, EachViewShowsTheImagesThatActOnIt) {
    const struct {
        int view;
        const char* page;
        bool tableImages;
        bool preview;
    } views[] = {
        {1, "User", false, false}, {2, "Statistics", false, true}, {0, "Home", true, true}};
    for (const auto& view : views) {
        chooseView(view.view);
        EXPECT_EQ(current(), view.page);
        for (const char* name : {"img_delete_selection", "img_delete_all", "img_save_as"})
            EXPECT_EQ(window->image(name)->isHidden(), !view.tableImages) << view.page << name;
        EXPECT_EQ(window->image("img_preview_1")->isHidden(), !view.preview) << view.page;
        EXPECT_FALSE(window->image("img_analy")->isHidden()) << view.page;
    }
}

TEST_F(DataPage, MarkTogglesOnlyInTheMarkColumnOfSingleReadings) {
    click("delselection", 1);
    EXPECT_EQ(stored(), (QStringList{"120|0", "130|0", "140|1", "150|0"}));
    click("delselection"); // the title acts on the current row
    EXPECT_EQ(stored(), (QStringList{"120|0", "130|0", "140|0", "150|0"}));
    click("systolic", 2);
    click("personal", 0);
    EXPECT_EQ(stored(), (QStringList{"120|0", "130|0", "140|0", "150|0"}));

    confirmAnalysis(measure::AnalysisMode::Day, {2011, 3, 1}, {2011, 3, 31});
    page->img_analyClick();
    click("delselection", 0);
    EXPECT_EQ(stored(), (QStringList{"120|0", "130|0", "140|0", "150|0"}));

    confirmAnalysis(measure::AnalysisMode::Time, {2011, 3, 2}, {2011, 3, 2});
    page->img_analyClick();
    click("delselection", 0);
    EXPECT_EQ(stored(), (QStringList{"120|0", "130|0", "140|1", "150|0"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

// True is stored as -1: a marked reading stands before an unmarked one of the same
// moment, in the list and on the chart.
TEST_F(DataPage, MarkedReadingsStandFirstAtTheSameMoment) {
    reading("O'Brien", 160, 100, 80, "2011-03-02 08:00:00", true);
    page->comb_userChange();
    EXPECT_EQ(shown().mid(1, 2), (QStringList{"True|O'Brien|160|100|80|02.03.2011 08:00",
                                              "False|O'Brien|140|70|60|02.03.2011 08:00"}));
    const QList<QPointF> systolic = page->chart()->systolicLine()->points();
    ASSERT_EQ(systolic.size(), 4);
    EXPECT_EQ(systolic[1], QPointF(2, 160));
}

TEST_F(DataPage, TitleClicksSortDescendingThenFlip) {
    const auto column = [this](const QString& field) {
        QStringList values;
        const int index = page->grid()->columnIndexOfField(field);
        for (int row = 0; row < page->grid()->shownRowCount(); ++row)
            values << page->grid()->shownRow(row)[index];
        return values.join(',');
    };
    using Marker = ui::DataGrid::SortMarker;
    const int systolic = page->grid()->columnIndexOfField("systolic");

    click("systolic");
    EXPECT_EQ(column("systolic"), "140,130,120");
    EXPECT_EQ(page->grid()->sortMarker(systolic), Marker::Down);
    click("systolic");
    EXPECT_EQ(column("systolic"), "120,130,140");
    EXPECT_EQ(page->grid()->sortMarker(systolic), Marker::Up);
    click("systolic");
    EXPECT_EQ(column("systolic"), "140,130,120");
    click("diastolic");
    EXPECT_EQ(column("diastolic"), "90,80,70");
    EXPECT_EQ(page->grid()->sortMarker(systolic), Marker::None);
    click("checktime");
    EXPECT_EQ(column("heart_beat"), "65,60,70");

    for (const char* field : {"personal", "delselection"})
        click(field);
    EXPECT_EQ(dm1.ado_analysis.sort(), "checktime DESC");
    choosePerson(0);
    EXPECT_EQ(column("systolic"), "120,140,130"); // loading brings back the query's order
}

TEST_F(DataPage, ChartHoldsTheListsRowsAndPagesByHalfAWindow) {
    const auto points = [this] {
        QStringList values;
        for (const QPointF& point : page->chart()->systolicLine()->points())
            values << QString("%1:%2").arg(point.x()).arg(point.y());
        return values.join(',');
    };
    EXPECT_EQ(points(), "1:120,2:140,3:130");
    confirmAnalysis(measure::AnalysisMode::Time, {2011, 3, 2}, {2011, 3, 3});
    page->img_analyClick();
    EXPECT_EQ(points(), "1:140,2:130");
    choosePerson(1);
    EXPECT_EQ(points(), "1:150");

    page->findChild<QPushButton*>("BitBtn2")->click();
    EXPECT_EQ(page->chart()->windowMin(), 12.5);
    EXPECT_EQ(page->chart()->windowMax(), 35.5);
}

TEST_F(DataPage, AnalysisNeedsAPersonAndAView) {
    page->viewBox()->setCurrentIndex(-1);
    page->img_analyClick();
    persons({});
    page->img_analyClick();
    EXPECT_EQ(messages.shown, (QStringList{"inform:analysis_before_must_spec_type",
                                           "inform:analysis_before_must_spec_user"}));
}

// The list is read through an index in its own order, also from a file that lost the
// index.
TEST(PersonListIndex, OlderFilesGetItAndTheListNeedsNoSorting) {
    TempAppDir dir;
    {
        store::Tdm1 older(dir.path());
        older.DataModuleCreate();
        older.adocom1.execute("drop index bp_record_personal_key");
    }
    store::Tdm1 dm1(dir.path());
    dm1.DataModuleCreate();
    store::Dataset& plan = dm1.adoquery;
    plan.setCommandText("explain query plan " + measure::personQuery());
    plan.setParameter("a1", "O'Brien");
    plan.open();
    QStringList steps;
    for (plan.first(); !plan.eof(); plan.next())
        steps << plan.asString("detail");
    EXPECT_EQ(steps, QStringList{"SEARCH bp_record USING INDEX bp_record_personal_key "
                                 "(personal_key=?)"});
}

// The chart's dashed lines mark where the scheme's hypertension begins, when asked for.
TEST_F(DataPage, ThresholdLinesFollowTheSchemeAndTheBox) {
    measure::TrendChart* chart = page->chart();
    const auto height = [](QLineSeries* line) {
        return line->points().isEmpty() ? -1.0 : line->points().first().y();
    };
    chooseView(1);
    EXPECT_FALSE(chart->systolicThreshold()->isVisible());
    chart->thresholdBox()->setChecked(true);
    for (const auto& [scheme, systolic, diastolic] :
         {std::tuple(readings::Scheme::Esh2023, 140.0, 90.0),
          std::tuple(readings::Scheme::AccAha2017, 130.0, 80.0)}) {
        page->setScheme(scheme);
        EXPECT_EQ(height(chart->systolicThreshold()), systolic);
        EXPECT_EQ(height(chart->diastolicThreshold()), diastolic);
        EXPECT_EQ(chart->systolicThreshold()->pen().style(), Qt::DashLine);
        EXPECT_TRUE(chart->diastolicThreshold()->isVisible());
    }
    chart->thresholdBox()->setChecked(false);
    EXPECT_FALSE(chart->diastolicThreshold()->isVisible());
}

} // namespace
