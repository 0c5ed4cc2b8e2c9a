#include "output/TrendPicture.h"

#include "output/ChartStyle.h"

#include <QAbstractAxis>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>

namespace output {

namespace {

// Sizes in points, as the page draws them.
constexpr int kFontSize = 7;
constexpr double kLineWidth = 1.2;
constexpr double kPressureShare = 0.62;

QLineSeries* line(const QColor& colour, const QList<QPointF>& points) {
    QLineSeries* series = ChartStyle::makeSeries(QString(), colour);
    QPen pen = series->pen();
    pen.setWidthF(kLineWidth);
    series->setPen(pen);
    series->replace(points);
    return series;
}

// Fonts in pixels: the scene is laid out in points and the painter scales it, so a size
// in points would grow again with the device's resolution.
void fitToPage(QChart& chart, int count, const QVector<readings::Reading>& readings) {
    for (QAbstractAxis* axis : chart.axes()) {
        QFont font = axis->labelsFont();
        font.setPixelSize(kFontSize);
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
    QCategoryAxis& horizontal = *ChartStyle::horizontalAxis(chart);
    horizontal.setRange(1, qMax(2, count));
    ChartStyle::labelDates(horizontal, 1, count, [&readings](int position) {
        return ChartStyle::dateLabel(readings[position - 1].moment.date());
    });
}

} // namespace

void paintTrend(QPainter& painter, const QRectF& area, const QVector<readings::Reading>& readings,
                readings::Threshold threshold, double k) {
    const int count = int(readings.size());
    QList<QPointF> systolic(count), diastolic(count), pulse;
    pulse.reserve(count);
    for (int i = 0; i < count; ++i) {
        const readings::Reading& reading = readings[i];
        systolic[i] = QPointF(i + 1, reading.systolic);
        diastolic[i] = QPointF(i + 1, reading.diastolic);
        if (reading.pulse)
            pulse.append(QPointF(i + 1, *reading.pulse));
    }
    QGraphicsScene scene;
    QChart* pressure = ChartStyle::makeChart(
        ChartStyle::PressureLow, ChartStyle::PressureHigh, QStringLiteral("mmHg"),
        {line(ChartStyle::SystolicColour, systolic), line(ChartStyle::DiastolicColour, diastolic)});
    const std::pair<QColor, int> thresholds[] = {
        {ChartStyle::SystolicColour, threshold.systolic},
        {ChartStyle::DiastolicColour, threshold.diastolic}};
    for (const auto& [colour, value] : thresholds) {
        QLineSeries* dashed = ChartStyle::addThreshold(*pressure, QString(), colour);
        // Lines far beyond the page get lost on the way to a PDF file.
        ChartStyle::setThreshold(*dashed, value, 1, qMax(2, count));
        dashed->setVisible(true);
    }
    QChart* pulseChart =
        ChartStyle::makeChart(ChartStyle::PulseLow, ChartStyle::PulseHigh, QStringLiteral("/min"),
                              {line(ChartStyle::PulseColour, pulse)});
    const QSizeF size = area.size() / k;
    const double upper = size.height() * kPressureShare;
    const std::pair<QChart*, QRectF> charts[] = {
        {pressure, QRectF(0, 0, size.width(), upper)},
        {pulseChart, QRectF(0, upper, size.width(), size.height() - upper)}};
    for (const auto& [chart, place] : charts) {
        scene.addItem(chart);
        fitToPage(*chart, count, readings);
        chart->setGeometry(place);
        chart->layout()->activate();
    }
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(k, k);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(), size), QRectF(QPointF(), size));
    painter.restore();
}

} // namespace output
