#include "ui/Gauge.h"

#include "ui/GaugeAccessible.h"

#include <QAccessible>
#include <QPainter>

namespace ui {

Gauge::Gauge(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    static const bool described = (QAccessible::installFactory(&gaugeAccessible), true);
    Q_UNUSED(described);
}

void Gauge::setMaxValue(int maxValue) {
    maxValue_ = qMax(maxValue, 0);
    progress_ = qMin(progress_, maxValue_);
    update();
}

void Gauge::setProgress(int progress) {
    const int before = progress_;
    progress_ = qBound(0, progress, maxValue_);
    update();
    if (progress_ != before && QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(this, progress_);
        QAccessible::updateAccessibility(&changed);
    }
}

void Gauge::setColor(const QColor& color) {
    color_ = color;
    update();
}

QSize Gauge::sizeHint() const {
    return {150, 20};
}

void Gauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, palette().base());

    // A gauge without a range is empty.
    const int percent = maxValue_ > 0 ? int(qint64(progress_) * 100 / maxValue_) : 0;
    QRect bar = frame.adjusted(1, 1, 0, 0);
    bar.setWidth(maxValue_ > 0 ? int(qint64(bar.width()) * progress_ / maxValue_) : 0);
    painter.fillRect(bar, color_);

    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);

    // The text shows in the bar's colour over the empty part and in white over the bar.
    const QString text = QString::number(percent) + QLatin1Char('%');
    painter.setPen(color_);
    painter.drawText(frame, Qt::AlignCenter, text);
    painter.setClipRect(bar);
    painter.setPen(Qt::white);
    painter.drawText(frame, Qt::AlignCenter, text);
}

} // namespace ui
