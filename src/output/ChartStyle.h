#pragma once

#include <QColor>
#include <QList>
#include <functional>

class QCategoryAxis;
class QChart;
class QChartView;
class QDate;
class QString;
class QLineSeries;
class QWidget;

namespace output::ChartStyle {

// The colours shared by the lines and their legend panels.
inline const QColor SystolicColour{220, 0, 0};
inline const QColor DiastolicColour{0, 140, 0};
inline const QColor PulseColour{0, 0, 220};

// The first horizontal window: rows 1 to 24.
constexpr double FirstWindowMin = 1;
constexpr double FirstWindowMax = 24;

// The fixed vertical ranges of the pressure and the pulse chart.
constexpr int PressureLow = 30;
constexpr int PressureHigh = 280;
constexpr int PulseLow = 40;
constexpr int PulseHigh = 200;

// A line without markers or point labels.
QLineSeries* makeSeries(const QString& objectName, const QColor& colour);

// A flat white chart without title or legend. Its vertical axis, titled with the unit, is
// fixed from low to high with a label every 10 where the height allows; its horizontal
// axis (a QCategoryAxis, labelled through labelDates) shows the first window and never
// follows the data.
QChart* makeChart(int low, int high, const QString& unit, const QList<QLineSeries*>& series);

// The chart in a view that ignores the mouse.
QChartView* makeView(const QString& objectName, int low, int high, const QString& unit,
                     const QList<QLineSeries*>& series, QWidget* parent);

QCategoryAxis* horizontalAxis(const QChart& chart);

// A hidden dashed line of the colour across any window the paging reaches.
QLineSeries* addThreshold(QChart& chart, const QString& objectName, const QColor& colour);
// The line at value from one position to another; by default across any window.
void setThreshold(QLineSeries& line, int value, double from = -1e7, double to = 1e7);

// A date as the charts and the summary write it: the short date of the user's locale with a
// four-digit year.
QString dateLabel(const QDate& date);

// Replaces the axis' labels by the dates (label of a position, empty when unknown) under
// the first and the last position and about five between, none close before the last;
// each date is written once.
void labelDates(QCategoryAxis& axis, int first, int last,
                const std::function<QString(int position)>& label);

} // namespace output::ChartStyle
