#include "output/ReportDocument.h"

#include "lang/StatusMarkers.h"
#include "output/ReportLook.h"
#include "store/Dataset.h"
#include "store/JetSql.h"
#include "ui/DatasetTableModel.h"

#include <QDate>
#include <QFontMetricsF>
#include <QHash>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QVector>
#include <algorithm>

namespace output {

namespace {

// Band heights in multiples of the font size.
constexpr double kTitle = 2.2;
constexpr double kLine = 1.5;
constexpr double kGap = 0.6;
constexpr double kColumnTitles = 1.8;
constexpr double kRow = 1.5;
constexpr double kFooter = 2.0;
constexpr double kHeaderBand = kTitle + 2 * kLine + kGap;
constexpr double kSummaryBand = kGap + 2 * kLine + kColumnTitles + 3 * kRow;
constexpr double kPadding = 0.3;

// A reading's status, shown as its markers wherever a template lists it.
const QString kStatusField = QStringLiteral("measurement_status");

const QColor kRule(0x60, 0x60, 0x60);
// Writes single-line texts into cells with the painter's font: placed by hand on the
// baseline, which spares the painter a text layout per cell, and cut short with an
// ellipsis where a text is wider than its cell. Widths of short texts such as numbers
// repeat and are kept.
class CellWriter {
public:
    explicit CellWriter(const QPainter& painter) : metrics_(painter.font(), painter.device()) {}

    void write(QPainter& painter, const QRectF& cell, Qt::Alignment align, const QString& text) {
        QString shown = text;
        double width = advance(text);
        if (width > cell.width()) {
            shown = metrics_.elidedText(text, Qt::ElideRight, cell.width());
            width = metrics_.horizontalAdvance(shown);
        }
        double x = cell.left();
        if (align & Qt::AlignRight)
            x = cell.right() - width;
        else if (align & Qt::AlignHCenter)
            x = cell.center().x() - width / 2;
        const double baseline = cell.center().y() + (metrics_.ascent() - metrics_.descent()) / 2;
        painter.drawText(QPointF(x, baseline), shown);
    }

private:
    double advance(const QString& text) {
        constexpr qsizetype kKeptLength = 8;
        if (text.size() > kKeptLength)
            return metrics_.horizontalAdvance(text);
        auto known = widths_.constFind(text);
        if (known == widths_.constEnd())
            known = widths_.insert(text, metrics_.horizontalAdvance(text));
        return *known;
    }

    QFontMetricsF metrics_;
    QHash<QString, double> widths_;
};

QString printDate() {
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

} // namespace

struct ReportDocument::Summary {
    struct Figures {
        QString title;
        QString lowest, mean, highest;
    };
    int count = 0;
    QVector<Figures> fields;
};

struct ReportDocument::Metrics {
    double k = 1;     // device pixels per point
    double f = 1;     // font size in device pixels
    double width = 0; // of the area inside the margins
    double height = 0;
    QVector<double> x; // left edge of each column, and the right edge last
};

ReportDocument::ReportDocument(QString templatePath, ReportTemplate design, store::Dataset& data,
                               Translate translate, const ReportHeading& heading)
    : templatePath_(std::move(templatePath)), design_(std::move(design)), data_(data),
      translate_(std::move(translate)), model_(std::make_unique<ui::DatasetTableModel>()),
      frontPage_(heading.frontPage), person_(heading.person), period_(heading.period) {
    const auto format = [&](const QString& field) -> ui::CellFormat {
        if (field.compare(kStatusField, Qt::CaseInsensitive) == 0)
            return [text = translate_](const QVariant& status) {
                return lang::statusMarkers(text, status);
            };
        const bool period =
            !field.isEmpty() && field.compare(design_.periodField, Qt::CaseInsensitive) == 0;
        return period ? heading.periodFormat : ui::CellFormat();
    };
    QVector<ui::GridColumn> columns;
    for (const ReportColumn& column : design_.columns)
        columns.append({column.field, column.title, 64, true, false, format(column.field),
                        heading.rowCells.value(column.field.toLower())});
    columns.append({design_.personField, QString()});
    columns.append({design_.periodField, QString(), 64, true, false, format(design_.periodField)});
    model_->setColumns(columns);
    model_->setDataset(&data_);
    rowCount_ = model_->rowCount();
    for (int c = 0; c < design_.columns.size(); ++c) {
        if (model_->fieldType(c) == store::FieldType::Boolean)
            model_->setColumnFormat(c, [](const QVariant& value) {
                return value.toBool() ? QStringLiteral("✓") : QString();
            });
    }

    const int personColumn = int(design_.columns.size());
    if (person_.isEmpty() && rowCount_ > 0)
        person_ = model_->cellText(0, personColumn);
    if (period_.isEmpty())
        period_ = spanOf(personColumn + 1);

    const double f = design_.fontSize;
    const double body = pageLayout().paintRect(QPageLayout::Point).height() -
                        (kHeaderBand + kColumnTitles + kFooter) * f;
    rowsPerPage_ = std::max(1, int(body / (kRow * f)));
    pageCount_ = std::max(1, (rowCount_ + rowsPerPage_ - 1) / rowsPerPage_);
    const int lastRows = rowCount_ - (pageCount_ - 1) * rowsPerPage_;
    if (!design_.summaryFields.isEmpty() && (lastRows * kRow + kSummaryBand) * f > body)
        ++pageCount_;
    if (frontPage_)
        pageCount_ = rowCount_ == 0 ? 1 : pageCount_ + 1;
}

ReportDocument::~ReportDocument() = default;

// The earliest and the latest value of a column as the grid shows them, whatever the
// order of the rows.
QString ReportDocument::spanOf(int column) const {
    const int field = data_.isActive() ? data_.fieldIndex(model_->columns()[column].fieldName) : -1;
    if (field < 0 || rowCount_ == 0)
        return {};
    const store::FieldType type = data_.fieldType(field);
    const bool numeric = type == store::FieldType::Integer || type == store::FieldType::Float;
    const auto less = [numeric](const QVariant& a, const QVariant& b) {
        return numeric ? a.toDouble() < b.toDouble() : a.toString() < b.toString();
    };
    int low = 0, high = 0;
    QVariant lowest = data_.valueAt(0, field), highest = lowest;
    for (int row = 1; row < rowCount_; ++row) {
        const QVariant value = data_.valueAt(row, field);
        if (value.isNull())
            continue;
        if (lowest.isNull() || less(value, lowest)) {
            lowest = value;
            low = row;
        }
        if (highest.isNull() || less(highest, value)) {
            highest = value;
            high = row;
        }
    }
    const QString first = model_->cellText(low, column);
    const QString last = model_->cellText(high, column);
    return first == last ? first : first + QStringLiteral(" – ") + last;
}

QPageLayout ReportDocument::pageLayout() const {
    return QPageLayout(QPageSize(design_.pageSize), design_.orientation, design_.marginsMm,
                       QPageLayout::Millimeter);
}

QString ReportDocument::text(const QString& key) const {
    const QString translated = translate_ ? translate_(key) : QString();
    return translated.isEmpty() ? key : translated;
}

QString ReportDocument::cell(int row, int column) const {
    return model_->cellText(row, column);
}

ReportDocument::Metrics ReportDocument::metrics(const QPainter& painter) const {
    Metrics m;
    m.k = painter.device()->logicalDpiY() / 72.0;
    m.f = design_.fontSize * m.k;
    const QRectF area = pageLayout().paintRect(QPageLayout::Point);
    m.width = area.width() * m.k;
    m.height = area.height() * m.k;
    double total = 0;
    for (const ReportColumn& column : design_.columns)
        total += column.width;
    double x = 0;
    for (const ReportColumn& column : design_.columns) {
        m.x.append(x);
        x += column.width / total * m.width;
    }
    m.x.append(m.width);
    return m;
}

QString ReportDocument::pageCaption(int page) const {
    return text(design_.pageText).arg(page + 1).arg(pageCount_);
}

QImage ReportDocument::pageImage(int page, double dpi) const {
    const QPageLayout layout = pageLayout();
    const double scale = dpi / 72.0;
    const QSizeF sheet = layout.fullRect(QPageLayout::Point).size() * scale;
    QImage image(sheet.toSize(), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(layout.paintRect(QPageLayout::Point).topLeft() * scale);
    paintPage(painter, page);
    return image;
}

void ReportDocument::paintPage(QPainter& painter, int page) const {
    if (page < 0 || page >= pageCount_)
        return;
    const Metrics m = metrics(painter);
    painter.save();
    painter.setPen(Qt::black);
    paintHeader(painter, m);
    if (frontPage_ && page == 0)
        frontPage_->paint(
            painter,
            QRectF(0, kHeaderBand * m.f, m.width, m.height - (kHeaderBand + kFooter) * m.f),
            design_.fontSize, m.k);
    else
        paintTablePage(painter, m, frontPage_ ? page - 1 : page);
    paintFooter(painter, m, page);
    painter.restore();
}

// The rows of a page of the table (0-based), and the summary after the last.
void ReportDocument::paintTablePage(QPainter& painter, const Metrics& m, int page) const {
    const double titlesTop = kHeaderBand * m.f;
    paintColumnTitles(painter, m, titlesTop);
    const int first = std::min(rowCount_, page * rowsPerPage_);
    const int last = std::min(rowCount_, first + rowsPerPage_);
    const double end = paintRows(painter, m, first, last, titlesTop + kColumnTitles * m.f);
    if (page == pageCount_ - (frontPage_ ? 2 : 1) && !design_.summaryFields.isEmpty())
        paintSummary(painter, m, end);
}

bool ReportDocument::render(QPagedPaintDevice& device) const {
    device.setPageLayout(pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 0; page < pageCount_; ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, page);
    }
    return painter.end();
}

void ReportDocument::paintHeader(QPainter& painter, const Metrics& m) const {
    painter.setFont(reportFont(design_.fontSize * 1.6, true));
    painter.drawText(QRectF(0, 0, m.width, kTitle * m.f), Qt::AlignLeft | Qt::AlignVCenter,
                     title());
    painter.setFont(reportFont(design_.fontSize));
    double top = kTitle * m.f;
    const auto line = [&](const QString& label, const QString& value) {
        painter.drawText(QRectF(0, top, m.width, kLine * m.f), Qt::AlignLeft | Qt::AlignVCenter,
                         label + QStringLiteral(": ") + value);
        top += kLine * m.f;
    };
    if (!design_.personField.isEmpty())
        line(text(QStringLiteral("report_person")), person_);
    if (!design_.periodField.isEmpty())
        line(text(QStringLiteral("report_period")), period_);
    else
        line(text(QStringLiteral("report_printed")), printDate());
}

void ReportDocument::paintColumnTitles(QPainter& painter, const Metrics& m, double top) const {
    painter.setFont(reportFont(design_.fontSize, true));
    const double height = kColumnTitles * m.f;
    const double pad = kPadding * m.f;
    CellWriter writer(painter);
    for (int c = 0; c < design_.columns.size(); ++c) {
        const QRectF rect(m.x[c] + pad, top, m.x[c + 1] - m.x[c] - 2 * pad, height);
        writer.write(painter, rect, design_.columns[c].align, text(design_.columns[c].title));
    }
    painter.setPen(QPen(kRule, 0.8 * m.k));
    painter.drawLine(QPointF(0, top + height), QPointF(m.width, top + height));
    painter.setPen(Qt::black);
}

// Gives the bottom of the last row.
double ReportDocument::paintRows(QPainter& painter, const Metrics& m, int first, int last,
                                 double top) const {
    painter.setFont(reportFont(design_.fontSize));
    const double height = kRow * m.f;
    const double pad = kPadding * m.f;
    // The stripes first, so that the colour changes once per page, not once per row.
    for (int row = first + 1; row < last; row += 2)
        painter.fillRect(QRectF(0, top + (row - first) * height, m.width, height), kReportStripe);
    CellWriter writer(painter);
    const QVector<ui::GridColumn>& columns = model_->columns();
    for (int row = first; row < last; ++row, top += height) {
        for (int c = 0; c < design_.columns.size(); ++c) {
            const QRectF rect(m.x[c] + pad, top, m.x[c + 1] - m.x[c] - 2 * pad, height);
            if (!columns[c].rowCell) {
                writer.write(painter, rect, design_.columns[c].align, cell(row, c));
                continue;
            }
            const ui::RowCellLook look = columns[c].rowCell(data_, row);
            if (look.background.isValid())
                painter.fillRect(QRectF(m.x[c], top, m.x[c + 1] - m.x[c], height), look.background);
            writer.write(painter, rect, design_.columns[c].align, look.text);
        }
    }
    return top;
}

void ReportDocument::paintSummary(QPainter& painter, const Metrics& m, double top) const {
    const Summary& s = summary();
    top += kGap * m.f;
    painter.setFont(reportFont(design_.fontSize, true));
    painter.drawText(QRectF(0, top, m.width, kLine * m.f), Qt::AlignLeft | Qt::AlignVCenter,
                     text(QStringLiteral("report_summary")));
    top += kLine * m.f;
    painter.setFont(reportFont(design_.fontSize));
    painter.drawText(QRectF(0, top, m.width, kLine * m.f), Qt::AlignLeft | Qt::AlignVCenter,
                     text(design_.countText) + QStringLiteral(": ") + QString::number(s.count));
    top += kLine * m.f;

    // A small table: one column of labels, then one column per summed field.
    const double labelWidth = m.width * 0.25;
    const double fieldWidth = (m.width - labelWidth) / std::max<qsizetype>(1, s.fields.size());
    const auto row = [&](const QString& label, auto value, bool bold, double height) {
        painter.setFont(reportFont(design_.fontSize, bold));
        painter.drawText(QRectF(0, top, labelWidth, height), Qt::AlignLeft | Qt::AlignVCenter,
                         label);
        for (int i = 0; i < s.fields.size(); ++i)
            painter.drawText(QRectF(labelWidth + i * fieldWidth, top, fieldWidth, height),
                             Qt::AlignRight | Qt::AlignVCenter, value(s.fields[i]));
        top += height;
    };
    using F = Summary::Figures;
    row(
        QString(), [](const F& f) { return f.title; }, true, kColumnTitles * m.f);
    row(
        text(QStringLiteral("report_lowest")), [](const F& f) { return f.lowest; }, false,
        kRow * m.f);
    row(
        text(QStringLiteral("report_mean")), [](const F& f) { return f.mean; }, false, kRow * m.f);
    row(
        text(QStringLiteral("report_highest")), [](const F& f) { return f.highest; }, false,
        kRow * m.f);
}

void ReportDocument::paintFooter(QPainter& painter, const Metrics& m, int page) const {
    const double top = m.height - kFooter * m.f;
    painter.setPen(QPen(kRule, 0.5 * m.k));
    painter.drawLine(QPointF(0, top), QPointF(m.width, top));
    painter.setPen(Qt::black);
    painter.setFont(reportFont(design_.fontSize * 0.9));
    const QRectF rect(0, top, m.width, kFooter * m.f);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter,
                     text(QStringLiteral("report_printed")) + QStringLiteral(": ") + printDate());
    painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, pageCaption(page));
}

// Lowest, mean and highest of each summed field over the rows that hold a number. The
// mean rounds halves to even, as the averages of the analysis do.
const ReportDocument::Summary& ReportDocument::summary() const {
    if (summary_)
        return *summary_;
    summary_ = std::make_unique<Summary>();
    summary_->count = rowCount_;
    for (const QString& field : design_.summaryFields) {
        Summary::Figures figures;
        figures.title = field;
        for (const ReportColumn& column : design_.columns) {
            if (column.field.compare(field, Qt::CaseInsensitive) == 0)
                figures.title = text(column.title);
        }
        const int index = data_.isActive() ? data_.fieldIndex(field) : -1;
        double low = 0, high = 0, sum = 0;
        int n = 0;
        for (int row = 0; index >= 0 && row < rowCount_; ++row) {
            const QVariant value = data_.valueAt(row, index);
            bool ok = false;
            const double number = value.toDouble(&ok);
            if (value.isNull() || !ok)
                continue;
            low = n == 0 ? number : std::min(low, number);
            high = n == 0 ? number : std::max(high, number);
            sum += number;
            ++n;
        }
        if (n > 0) {
            figures.lowest = QString::number(low);
            figures.mean = QString::number(store::JetSql::roundHalfEven(sum / n));
            figures.highest = QString::number(high);
        }
        summary_->fields.append(figures);
    }
    return *summary_;
}

} // namespace output
