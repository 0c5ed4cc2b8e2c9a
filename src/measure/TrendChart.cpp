#include "measure/TrendChart.h"

#include "output/ChartStyle.h"
#include "store/ControlsDisabled.h"
#include "store/DatabaseError.h"
#include "store/Dataset.h"
#include "store/FieldValue.h"
#include "ui/Panel.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QStyle>
#include <QValueAxis>
#include <cmath>

namespace measure {

namespace {

constexpr int StripHeight = 38;
constexpr int LegendWidth = 67;

namespace ChartStyle = output::ChartStyle;

QCategoryAxis* horizontalAxis(const QChartView* view) {
    return ChartStyle::horizontalAxis(*view->chart());
}

ui::Panel* makeLegend(const QString& objectName, const QString& caption, const QColor& colour,
                      QWidget* parent) {
    auto* panel = new ui::Panel(objectName, parent);
    panel->setCaption(caption);
    panel->setFixedWidth(LegendWidth);
    // A little smaller, so that longer captions such as German ones keep a margin.
    QFont font = panel->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 0.9);
    panel->setFont(font);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

QPushButton* makeButton(const QString& objectName, const QString& text, QStyle::StandardPixmap icon,
                        QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setIcon(parent->style()->standardIcon(icon));
    return button;
}

// The position of a list's field; a missing field throws.
int requireField(const store::Dataset& list, const char* name) {
    const int index = list.fieldIndex(name);
    if (index < 0)
        throw store::DatabaseError(QStringLiteral("field %1 not found").arg(name));
    return index;
}

} // namespace

TrendChart::TrendChart(QWidget* parent)
    : QWidget(parent),
      Line_sysdialoic(ChartStyle::makeSeries("Line_sysdialoic", ChartStyle::SystolicColour)),
      Line_diasloic(ChartStyle::makeSeries("Line_diasloic", ChartStyle::DiastolicColour)),
      Line_heart(ChartStyle::makeSeries("Line_heart", ChartStyle::PulseColour)),
      Line_Chart2(ChartStyle::makeView("Line_Chart2", ChartStyle::PressureLow,
                                       ChartStyle::PressureHigh, "mmHg",
                                       {Line_sysdialoic, Line_diasloic}, this)),
      Line_Chart(ChartStyle::makeView("Line_Chart", ChartStyle::PulseLow, ChartStyle::PulseHigh,
                                      "/min", {Line_heart}, this)),
      systolicThreshold_(ChartStyle::addThreshold(*Line_Chart2->chart(), "Line_systolic_threshold",
                                                  ChartStyle::SystolicColour)),
      diastolicThreshold_(ChartStyle::addThreshold(
          *Line_Chart2->chart(), "Line_diastolic_threshold", ChartStyle::DiastolicColour)),
      chk_thresholds(new QCheckBox("Thresholds")), periodLabel_(new QLabel), Panel3(makeStrip()) {
    chk_thresholds->setObjectName("chk_thresholds");
    connect(chk_thresholds, &QCheckBox::toggled, this, [this](bool shown) {
        systolicThreshold_->setVisible(shown);
        diastolicThreshold_->setVisible(shown);
    });
}

void TrendChart::setThresholds(int systolic, int diastolic) {
    ChartStyle::setThreshold(*systolicThreshold_, systolic);
    ChartStyle::setThreshold(*diastolicThreshold_, diastolic);
}

QWidget* TrendChart::makeStrip() {
    auto* strip = new ui::Panel("Panel3", this);
    auto* buttons = new ui::Panel("Panel5", strip);
    auto* prior = makeButton("BitBtn1", "Prior Page", QStyle::SP_ArrowLeft, buttons);
    auto* next = makeButton("BitBtn2", "Next Page", QStyle::SP_ArrowRight, buttons);
    connect(prior, &QPushButton::clicked, this, &TrendChart::BitBtn1Click);
    connect(next, &QPushButton::clicked, this, &TrendChart::BitBtn2Click);
    auto* buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(2, 2, 2, 2);
    buttonRow->addWidget(prior);
    buttonRow->addWidget(next);

    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(makeLegend("Panel7", "Systolic", ChartStyle::SystolicColour, strip));
    row->addWidget(makeLegend("Panel8", "Diastolic", ChartStyle::DiastolicColour, strip));
    row->addWidget(makeLegend("Panel6", "Pulse", ChartStyle::PulseColour, strip));
    periodLabel_->setObjectName("lbl_period");
    periodLabel_->setAlignment(Qt::AlignCenter);
    row->addWidget(chk_thresholds);
    row->addWidget(periodLabel_, 1);
    row->addWidget(buttons);
    return strip;
}

void TrendChart::FillChart(store::Dataset& list, const ui::CellFormat& periodFormat) {
    const store::ControlsDisabled detached(list, store::ControlsDisabled::AtEnd::FirstRow);
    list.first();
    const int systolic = requireField(list, "systolic");
    const int diastolic = requireField(list, "diastolic");
    const int pulse = requireField(list, "heart_beat");
    const int count = list.recordCount();
    periods_.clear();
    moments_.clear();
    const int period = list.fieldIndex(QStringLiteral("checktime"));
    for (int row = 0; period >= 0 && row < count; ++row) {
        const QVariant value = list.valueAt(row, period);
        if (periodFormat)
            periods_.append(value.isNull() ? QString() : periodFormat(value));
        else
            moments_.append(value);
    }
    QList<QPointF> systolicPoints(count), diastolicPoints(count), pulsePoints(count);
    QPointF* systolicPoint = systolicPoints.data();
    QPointF* diastolicPoint = diastolicPoints.data();
    QPointF* pulsePoint = pulsePoints.data();
    for (int row = 0; row < count; ++row) {
        const double x = row + 1;
        systolicPoint[row] = QPointF(x, list.integerAt(row, systolic));
        diastolicPoint[row] = QPointF(x, list.integerAt(row, diastolic));
        pulsePoint[row] = QPointF(x, list.integerAt(row, pulse));
    }
    Line_sysdialoic->replace(systolicPoints);
    Line_diasloic->replace(diastolicPoints);
    Line_heart->replace(pulsePoints);
    showPeriods();
    labelWindow();
}

QString TrendChart::shownPeriods() const {
    return periodLabel_->text();
}

// The periods of the first and the last point inside the window.
void TrendChart::showPeriods() {
    const int first = qMax(1, int(std::ceil(windowMin())));
    const int last = qMin(int(periods_.size()), int(std::floor(windowMax())));
    if (first > last) {
        periodLabel_->clear();
        return;
    }
    const QString& from = periods_[first - 1];
    const QString& to = periods_[last - 1];
    periodLabel_->setText(from == to ? from : from + QStringLiteral(" – ") + to);
}

// The date or period of the row at position, empty when unknown.
QString TrendChart::rowLabel(int position) const {
    if (position <= periods_.size())
        return periods_[position - 1];
    if (position > moments_.size())
        return {};
    const QDateTime moment = store::FieldValue::wallClock(moments_[position - 1]);
    return moment.isValid() ? ChartStyle::dateLabel(moment.date()) : QString();
}

void TrendChart::labelWindow() {
    const int rows = int(qMax(periods_.size(), moments_.size()));
    const int first = qMax(1, int(std::ceil(windowMin())));
    const int last = qMin(rows, int(std::floor(windowMax())));
    for (QChartView* view : {Line_Chart2, Line_Chart})
        ChartStyle::labelDates(*horizontalAxis(view), first, last,
                               [this](int position) { return rowLabel(position); });
}

void TrendChart::HorizScroll(double percent) {
    ScrollAxis(horizontalAxis(Line_Chart), percent);
    ScrollAxis(horizontalAxis(Line_Chart2), percent);
    showPeriods();
    labelWindow();
}

void TrendChart::ScrollAxis(QValueAxis* axis, double percent) {
    const double shift = (axis->max() - axis->min()) * percent / 100;
    axis->setRange(axis->min() + shift, axis->max() + shift);
}

double TrendChart::windowMin() const {
    return horizontalAxis(Line_Chart2)->min();
}

double TrendChart::windowMax() const {
    return horizontalAxis(Line_Chart2)->max();
}

bool TrendChart::event(QEvent* event) {
    // A child's height changed from outside, or the chart appears after such a change.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
        arrange();
    return QWidget::event(event);
}

void TrendChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
}

// The upper chart keeps a height set from outside (half the rest when none is set); the
// strip lies at the bottom; the lower chart fills what is left between them, whatever
// height it was given.
void TrendChart::arrange() {
    const int chartsHeight = qMax(0, height() - StripHeight);
    const bool upperFixed = Line_Chart2->maximumHeight() < QWIDGETSIZE_MAX;
    const int upperHeight =
        qMin(chartsHeight, upperFixed ? Line_Chart2->maximumHeight() : chartsHeight / 2);
    Line_Chart2->setGeometry(0, 0, width(), upperHeight);
    Line_Chart->setMinimumHeight(0);
    Line_Chart->setMaximumHeight(QWIDGETSIZE_MAX);
    Line_Chart->setGeometry(0, upperHeight, width(), chartsHeight - upperHeight);
    Panel3->setGeometry(0, chartsHeight, width(), StripHeight);
}

} // namespace measure
