#include "measure/TrendChart.h"

#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/Dataset.h"
#include "support/TempAppDir.h"
#include "ui/Panel.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct Reading {
    QString systolic, diastolic, pulse; // SQL literals
};

class TrendChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.open(dir.file("tonvi.mdb"));
        list.setCommandText("select systolic,diastolic,heart_beat from bp_record");
    }

    void load(const QList<Reading>& readings) {
        list.close();
        db.execute("delete from bp_record");
        for (const Reading& r : readings)
            db.execute(QStringLiteral("insert into bp_record(systolic,diastolic,heart_beat) "
                                      "values(%1,%2,%3)")
                           .arg(r.systolic, r.diastolic, r.pulse));
        list.open();
    }
    void loadRows(int count, int base = 100) {
        QList<Reading> readings;
        for (int i = 1; i <= count; ++i)
            readings.append({QString::number(base + i), "80", "70"});
        load(readings);
    }
    void fill() { chart.FillChart(list); }

    // The points of values at row positions 1, 2, ...
    static QList<QPointF> points(const QList<int>& ys) {
        QList<QPointF> out;
        for (int y : ys)
            out.append(QPointF(out.size() + 1, y));
        return out;
    }
    static QValueAxis* axis(QChartView* view, Qt::Orientation orientation) {
        const QList<QAbstractAxis*> axes = view->chart()->axes(orientation);
        EXPECT_EQ(axes.size(), 1);
        return qobject_cast<QValueAxis*>(axes.value(0));
    }
    static std::pair<double, double> range(QValueAxis* axis) { return {axis->min(), axis->max()}; }
    void expectWindow(double min, double max) {
        EXPECT_EQ(range(axis(chart.pressureChart(), Qt::Horizontal)), std::make_pair(min, max));
        EXPECT_EQ(range(axis(chart.pulseChart(), Qt::Horizontal)), std::make_pair(min, max));
        EXPECT_EQ(std::make_pair(chart.windowMin(), chart.windowMax()), std::make_pair(min, max));
    }
    void click(const char* button) { chart.findChild<QPushButton*>(button)->click(); }

    TempAppDir dir;
    store::Database db;
    store::Dataset list{db, store::WriteMode::Immediate};
    measure::TrendChart chart;
};

TEST_F(TrendChartTest, PointsAreRowPositionsAndWholeValues) {
    load(
        {{"120", "80", "70"}, {"NULL", "NULL", "NULL"}, {"300", "20", "30"}, {"135", "85", "210"}});
    fill();
    EXPECT_EQ(chart.systolicLine()->points(), points({120, 0, 300, 135}));
    EXPECT_EQ(chart.diastolicLine()->points(), points({80, 0, 20, 85}));
    EXPECT_EQ(chart.pulseLine()->points(), points({70, 0, 30, 210}));
    // Values beyond the fixed ranges are cut off at the edge; the ranges do not grow.
    EXPECT_EQ(range(axis(chart.pressureChart(), Qt::Vertical)), std::make_pair(30.0, 280.0));
    EXPECT_EQ(range(axis(chart.pulseChart(), Qt::Vertical)), std::make_pair(40.0, 200.0));
    expectWindow(1, 24);

    // The list's order at the time of the refill is the order of the points.
    list.setSort("systolic DESC");
    fill();
    EXPECT_EQ(chart.systolicLine()->points(), points({300, 135, 120, 0}));
    EXPECT_EQ(chart.pulseLine()->points(), points({30, 210, 70, 0}));
}

TEST_F(TrendChartTest, ShortChartsLabelFewerValuesInsteadOfCuttingThemShort) {
    QValueAxis* pressure = axis(chart.pressureChart(), Qt::Vertical);
    chart.resize(600, 1600);
    chart.show();
    QApplication::processEvents();
    EXPECT_EQ(pressure->tickInterval(), 10);
    chart.resize(600, 300);
    QApplication::processEvents();
    EXPECT_GT(pressure->tickInterval(), 10);
    EXPECT_EQ(range(pressure), std::make_pair(30.0, 280.0));
}

TEST_F(TrendChartTest, PagesByHalfAWindowInBothCharts) {
    loadRows(30);
    fill();
    expectWindow(1, 24);

    click("BitBtn2");
    expectWindow(12.5, 35.5);

    click("BitBtn1");
    expectWindow(1, 24);
    click("BitBtn1");
    expectWindow(-10.5, 12.5); // no bound before the first row
}

TEST_F(TrendChartTest, RefillsKeepTheWindowAndAnEmptyListClearsEveryLine) {
    loadRows(30);
    fill();
    chart.BitBtn2Click();
    loadRows(5, 150);
    fill();
    expectWindow(12.5, 35.5);
    EXPECT_EQ(chart.systolicLine()->points().constLast(), QPointF(5, 155));

    load({});
    fill();
    EXPECT_TRUE(chart.systolicLine()->points().isEmpty());
    EXPECT_TRUE(chart.diastolicLine()->points().isEmpty());
    EXPECT_TRUE(chart.pulseLine()->points().isEmpty());
    expectWindow(12.5, 35.5);
}

TEST_F(TrendChartTest, RefillLeavesListOnFirstRowAndRefreshesViewsOnce) {
    loadRows(10);
    list.setRecNo(6);
    QList<int> moves;
    QObject::connect(&list, &store::Dataset::currentChanged, [&](int recNo) { moves << recNo; });
    fill();
    EXPECT_EQ(list.recNo(), 1);
    EXPECT_FALSE(list.controlsDisabled());
    EXPECT_EQ(moves, QList<int>{1});
}

TEST_F(TrendChartTest, UnreadableValueFailsWithoutDetachingTheListForGood) {
    loadRows(2);
    fill();
    load({{"120", "80", "70"}, {"'high'", "80", "70"}});
    EXPECT_THROW(fill(), store::DatabaseError);
    EXPECT_FALSE(list.controlsDisabled());
    EXPECT_EQ(chart.systolicLine()->points(), points({101, 102}));
}

TEST_F(TrendChartTest, LowerChartFillsBetweenUpperChartAndStrip) {
    chart.resize(600, 500);
    chart.show();
    chart.pressureChart()->setFixedHeight(200);
    chart.pulseChart()->setFixedHeight(250); // too tall to fit: the lower chart fills instead
    QApplication::processEvents();
    EXPECT_EQ(chart.pressureChart()->geometry(), QRect(0, 0, 600, 200));
    EXPECT_EQ(chart.pulseChart()->geometry(), QRect(0, 200, 600, 262));
    EXPECT_EQ(chart.findChild<QWidget*>("Panel3")->geometry(), QRect(0, 462, 600, 38));

    chart.resize(600, 400);
    QApplication::processEvents();
    EXPECT_EQ(chart.pulseChart()->geometry(), QRect(0, 200, 600, 162));
}

TEST_F(TrendChartTest, LegendPanelsShareTheLineColours) {
    const std::pair<const char*, QLineSeries*> legends[] = {{"Panel7", chart.systolicLine()},
                                                            {"Panel8", chart.diastolicLine()},
                                                            {"Panel6", chart.pulseLine()}};
    for (const auto& [name, line] : legends) {
        auto* panel = chart.findChild<ui::Panel*>(name);
        ASSERT_NE(panel, nullptr) << name;
        EXPECT_EQ(panel->palette().color(QPalette::Window), line->pen().color()) << name;
        EXPECT_EQ(line->pen().width(), 3);
    }
}

// Thirty readings, two a day from 1 March 2024: the window of 24 points holds 12 days.
TEST_F(TrendChartTest, AxesNameTheirUnitsAndTheDatesOfTheWindow) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    list.close();
    for (int i = 0; i < 30; ++i)
        db.execute(QStringLiteral("insert into bp_record(systolic,diastolic,heart_beat,checktime) "
                                  "values(120,80,70,'%1')")
                       .arg(QDateTime(QDate(2024, 3, 1 + i / 2), QTime(8 + 10 * (i % 2), 0))
                                .toString("yyyy-MM-dd HH:mm:ss")));
    list.setCommandText("select systolic,diastolic,heart_beat,checktime from bp_record "
                        "order by checktime");
    list.open();
    fill();
    EXPECT_EQ(axis(chart.pressureChart(), Qt::Vertical)->titleText(), "mmHg");
    EXPECT_EQ(axis(chart.pulseChart(), Qt::Vertical)->titleText(), "/min");
    for (QChartView* view : {chart.pressureChart(), chart.pulseChart()}) {
        auto* dates = qobject_cast<QCategoryAxis*>(axis(view, Qt::Horizontal));
        ASSERT_NE(dates, nullptr);
        // Every fourth point of 1 to 24, and the last; each date once.
        EXPECT_EQ(dates->categoriesLabels(),
                  (QStringList{"01.03.2024", "03.03.2024", "05.03.2024", "07.03.2024", "09.03.2024",
                               "11.03.2024", "12.03.2024"}));
        EXPECT_EQ(dates->endValue("12.03.2024"), 24);
    }
    click("BitBtn2"); // points 13 to 35, of which 30 exist
    auto* dates = qobject_cast<QCategoryAxis*>(axis(chart.pulseChart(), Qt::Horizontal));
    EXPECT_EQ(dates->categoriesLabels().value(0), "07.03.2024");
    EXPECT_EQ(dates->categoriesLabels().last(), "15.03.2024");
    QLocale::setDefault(previous);
}

} // namespace

// Both page buttons take the focus and page on Space.
TEST_F(TrendChartTest, PageButtonsWorkFromTheKeyboard) {
    loadRows(30);
    fill();
    chart.show();
    QApplication::setActiveWindow(&chart);
    for (auto [button, min, max] : {std::tuple{"BitBtn2", 12.5, 35.5}, {"BitBtn1", 1.0, 24.0}}) {
        auto* page = chart.findChild<QPushButton*>(button);
        page->setFocus();
        EXPECT_TRUE(page->hasFocus()) << button;
        QTest::keyClick(page, Qt::Key_Space);
        expectWindow(min, max);
    }
}
