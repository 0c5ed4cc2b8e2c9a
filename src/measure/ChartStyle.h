#pragma once

#include <QColor>
#include <QList>

class QChartView;
class QString;
class QLineSeries;
class QWidget;

namespace measure::ChartStyle {

// The colours shared by the lines and their legend panels.
inline const QColor SystolicColour{220, 0, 0};
inline const QColor DiastolicColour{0, 140, 0};
inline const QColor PulseColour{0, 0, 220};

// The first horizontal window: rows 1 to 24.
constexpr double FirstWindowMin = 1;
constexpr double FirstWindowMax = 24;

// A line without markers or point labels.
QLineSeries* makeSeries(const QString& objectName, const QColor& colour);

// A flat white chart without title or legend that ignores the mouse. Its vertical axis,
// titled with the unit, is fixed from low to high with a label every 10 where the height
// allows; its horizontal axis (a QCategoryAxis, labelled from outside) shows the first
// window and never follows the data.
QChartView* makeView(const QString& objectName, int low, int high, const QString& unit,
                     const QList<QLineSeries*>& series, QWidget* parent);

} // namespace measure::ChartStyle
