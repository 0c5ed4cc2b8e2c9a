#pragma once

#include "ui/DatasetTableModel.h"

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <QWidget>

class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QValueAxis;

namespace store {
class Dataset;
}
namespace ui {
class Panel;
}

namespace measure {

// Systolic and diastolic pressure in an upper chart, pulse in a lower chart, one point per
// row of a list. Both charts show the same horizontal window, which moves only through
// the page buttons under them.
class TrendChart : public QWidget {
    Q_OBJECT
public:
    explicit TrendChart(QWidget* parent = nullptr);

    // Rebuilds the three lines from the rows of list: x is the row position from 1, y the
    // value of systolic, diastolic or heart_beat as a whole number (empty reads as 0).
    // Leaves list on its first row; the window stays where it is. With a period format
    // the strip under the charts names the periods (checktime) of the first and the
    // last point in the window.
    void FillChart(store::Dataset& list, const ui::CellFormat& periodFormat = {});

    // Shifts both charts' window by percent of its width.
    void HorizScroll(double percent);
    static void ScrollAxis(QValueAxis* axis, double percent);
    void BitBtn1Click() { HorizScroll(-50); }
    void BitBtn2Click() { HorizScroll(50); }

    QLineSeries* systolicLine() const { return Line_sysdialoic; }
    QLineSeries* diastolicLine() const { return Line_diasloic; }
    QLineSeries* pulseLine() const { return Line_heart; }
    QChartView* pressureChart() const { return Line_Chart2; }
    QChartView* pulseChart() const { return Line_Chart; }
    QString shownPeriods() const;

    // Dashed lines across the pressure chart at these values, shown while the box
    // chk_thresholds is ticked.
    void setThresholds(int systolic, int diastolic);
    QLineSeries* systolicThreshold() const { return systolicThreshold_; }
    QLineSeries* diastolicThreshold() const { return diastolicThreshold_; }
    QCheckBox* thresholdBox() const { return chk_thresholds; }
    double windowMin() const;
    double windowMax() const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* makeStrip();
    void arrange();
    void showPeriods();
    QString rowLabel(int position) const;
    void labelWindow();

    QLineSeries* Line_sysdialoic;
    QLineSeries* Line_diasloic;
    QLineSeries* Line_heart;
    QChartView* Line_Chart2;
    QChartView* Line_Chart;
    QLineSeries* systolicThreshold_;
    QLineSeries* diastolicThreshold_;
    QCheckBox* chk_thresholds;
    QLabel* periodLabel_;
    QWidget* Panel3;
    QStringList periods_;       // of every row, empty without a period format
    QVector<QVariant> moments_; // checktime of every row, empty with a period format
};

} // namespace measure
