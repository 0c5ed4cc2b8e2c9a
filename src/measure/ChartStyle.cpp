#include "measure/ChartStyle.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

namespace measure::ChartStyle {

namespace {

constexpr int LineWidth = 3;

void makeAxis(QValueAxis* axis, double min, double max, double interval) {
    axis->setRange(min, max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(interval);
    axis->setLabelFormat("%d");
    axis->setMinorGridLineVisible(false);
    QFont font = axis->labelsFont();
    font.setPointSize(7);
    axis->setLabelsFont(font);
}

// Labels every 10 where they fit. Below that height each label would be cut to "...",
// so a shorter chart labels every 20 or 50 instead.
void fitLabels(QValueAxis* axis, qreal plotHeight) {
    const qreal needed = QFontMetricsF(axis->labelsFont()).height() + 12;
    const double span = axis->max() - axis->min();
    for (const int step : {10, 20}) {
        if (plotHeight / (span / step + 1) >= needed) {
            axis->setTickInterval(step);
            return;
        }
    }
    axis->setTickInterval(50);
}

} // namespace

QLineSeries* makeSeries(const QString& objectName, const QColor& colour) {
    auto* series = new QLineSeries;
    series->setObjectName(objectName);
    QPen pen(colour, LineWidth);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    series->setPen(pen);
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    return series;
}

QChartView* makeView(const QString& objectName, int low, int high, const QString& unit,
                     const QList<QLineSeries*>& series, QWidget* parent) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->setDropShadowEnabled(false);
    chart->setPlotAreaBackgroundVisible(false);
    // Room on the right for half of a date under the last point in view.
    chart->setMargins(QMargins(2, 2, 32, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);

    auto* vertical = new QValueAxis;
    makeAxis(vertical, low, high, 10);
    vertical->setGridLineVisible(false);
    vertical->setTitleText(unit);
    QFont titleFont = vertical->labelsFont();
    vertical->setTitleFont(titleFont);
    auto* horizontal = new QCategoryAxis;
    makeAxis(horizontal, FirstWindowMin, FirstWindowMax, 1);
    horizontal->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    QObject::connect(chart, &QChart::plotAreaChanged, vertical,
                     [vertical](const QRectF& area) { fitLabels(vertical, area.height()); });
    chart->addAxis(vertical, Qt::AlignLeft);
    chart->addAxis(horizontal, Qt::AlignBottom);
    for (QLineSeries* line : series) {
        chart->addSeries(line);
        line->attachAxis(horizontal);
        line->attachAxis(vertical);
    }

    auto* view = new QChartView(chart, parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setInteractive(false);
    view->setRubberBand(QChartView::NoRubberBand);
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

} // namespace measure::ChartStyle
