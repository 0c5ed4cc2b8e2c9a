#include "output/ChartStyle.h"

#include "store/DateFormat.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDate>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QValueAxis>

namespace output::ChartStyle {

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

QChart* makeChart(int low, int high, const QString& unit, const QList<QLineSeries*>& series) {
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
    return chart;
}

QChartView* makeView(const QString& objectName, int low, int high, const QString& unit,
                     const QList<QLineSeries*>& series, QWidget* parent) {
    auto* view = new QChartView(makeChart(low, high, unit, series), parent);
    view->setObjectName(objectName);
    view->setRenderHint(QPainter::Antialiasing);
    view->setInteractive(false);
    view->setRubberBand(QChartView::NoRubberBand);
    view->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

QCategoryAxis* horizontalAxis(const QChart& chart) {
    return static_cast<QCategoryAxis*>(chart.axes(Qt::Horizontal).constFirst());
}

QLineSeries* addThreshold(QChart& chart, const QString& objectName, const QColor& colour) {
    QLineSeries* line = makeSeries(objectName, colour);
    QPen pen = line->pen();
    pen.setWidth(1);
    pen.setStyle(Qt::DashLine);
    line->setPen(pen);
    line->setVisible(false);
    chart.addSeries(line);
    for (QAbstractAxis* axis : chart.axes())
        line->attachAxis(axis);
    return line;
}

void setThreshold(QLineSeries& line, int value, double from, double to) {
    line.replace({{from, double(value)}, {to, double(value)}});
}

QString dateLabel(const QDate& date) {
    const QLocale locale;
    return locale.toString(date, store::withFourDigitYear(locale.dateFormat(QLocale::ShortFormat)));
}

void labelDates(QCategoryAxis& axis, int first, int last,
                const std::function<QString(int position)>& label) {
    constexpr int labels = 5;
    const int step = qMax(1, (last - first) / labels);
    for (const QString& old : axis.categoriesLabels())
        axis.remove(old);
    QString previous;
    for (int position = first; position <= last; ++position) {
        // A label too near the last one would overlap it.
        if (position != last && ((position - first) % step != 0 || last - position < step / 2))
            continue;
        const QString text = label(position);
        if (!text.isEmpty() && text != previous && !axis.categoriesLabels().contains(text))
            axis.append(text, position);
        previous = text;
    }
}

} // namespace output::ChartStyle
