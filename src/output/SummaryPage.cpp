#include "output/SummaryPage.h"

#include "output/ReportLook.h"
#include "output/TrendPicture.h"

#include <QFontMetricsF>
#include <QPainter>

namespace output {

namespace {

// Heights in multiples of the font size.
constexpr double kLine = 1.5;
constexpr double kGap = 0.8;
constexpr double kPadding = 0.3;
constexpr double kLabelShare = 0.42; // of the width, at most, for the table's labels

// Writes lines from the top of the area down.
class Column {
public:
    Column(QPainter& painter, const QRectF& area, double fontSize, double k)
        : painter_(painter), area_(area), fontSize_(fontSize), f_(fontSize * k), top_(area.top()) {}

    double top() const { return top_; }
    double f() const { return f_; }
    void skip(double lines) { top_ += lines * f_; }

    void heading(const QString& text) {
        skip(kGap);
        painter_.setFont(reportFont(fontSize_ * 1.15, true));
        line(text);
    }

    // A text that may wrap onto more lines.
    void paragraph(const QString& text, double scale = 1.0) {
        painter_.setFont(reportFont(fontSize_ * scale));
        const QRectF rect(area_.left(), top_, area_.width(), area_.bottom() - top_);
        const QRectF used = painter_.boundingRect(rect, Qt::TextWordWrap, text);
        painter_.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        top_ += used.height() + 0.3 * f_;
    }

    // Label and value side by side, each wrapped in its cell; striped every second row.
    void table(const QVector<StatisticsLine>& rows) {
        painter_.setFont(reportFont(fontSize_));
        const QFontMetricsF metrics(painter_.font(), painter_.device());
        double labels = 0;
        for (const StatisticsLine& row : rows)
            labels = qMax(labels, metrics.horizontalAdvance(row.label));
        const double pad = kPadding * f_;
        const double split = qMin(labels + 3 * pad, area_.width() * kLabelShare);
        const QRectF label(area_.left() + pad, 0, split - 2 * pad, area_.height());
        const QRectF value(area_.left() + split + pad, 0, area_.width() - split - 2 * pad,
                           area_.height());
        constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
        for (int i = 0; i < rows.size(); ++i) {
            const double height =
                qMax(kLine * f_, qMax(painter_.boundingRect(label, flags, rows[i].label).height(),
                                      painter_.boundingRect(value, flags, rows[i].value).height()) +
                                     2 * pad);
            if (i % 2 == 1)
                painter_.fillRect(band(height), kReportStripe);
            painter_.drawText(QRectF(label.left(), top_, label.width(), height), flags,
                              rows[i].label);
            painter_.drawText(QRectF(value.left(), top_, value.width(), height), flags,
                              rows[i].value);
            top_ += height;
        }
    }

    // The full width from the top down, this high.
    QRectF band(double height) const { return QRectF(area_.left(), top_, area_.width(), height); }

    void line(const QString& text) {
        painter_.drawText(QRectF(area_.left(), top_, area_.width(), kLine * f_),
                          Qt::AlignLeft | Qt::AlignVCenter, text);
        top_ += kLine * f_;
    }

private:
    QPainter& painter_;
    QRectF area_;
    double fontSize_;
    double f_;
    double top_;
};

} // namespace

void SummaryPage::paint(QPainter& painter, const QRectF& area, double fontSize, double k) const {
    Column column(painter, area, fontSize, k);
    painter.setFont(reportFont(fontSize));
    for (const StatisticsLine& line : facts_.person)
        column.line(line.label + QStringLiteral(": ") + line.value);

    column.heading(facts_.statisticsTitle);
    column.table(facts_.statistics);
    column.skip(0.3);
    column.paragraph(facts_.note, 0.9);

    // The risk factors close the page; the chart takes the room between.
    const QString risks = facts_.riskFactors.join(QStringLiteral(", "));
    painter.setFont(reportFont(fontSize));
    const double riskHeight =
        (kGap + 2 * kLine) * column.f() +
        painter.boundingRect(QRectF(0, 0, area.width(), area.height()), Qt::TextWordWrap, risks)
            .height();
    const double chartHeight = area.bottom() - riskHeight - column.top() - 2 * kLine * column.f();
    if (chartHeight > 4 * kLine * column.f() && !facts_.readings.isEmpty()) {
        column.heading(facts_.chartTitle);
        paintTrend(painter, QRectF(area.left(), column.top(), area.width(), chartHeight),
                   facts_.readings, facts_.threshold, k);
        column.skip(chartHeight / column.f());
    }

    column.heading(facts_.riskTitle);
    column.paragraph(risks);
}

} // namespace output
