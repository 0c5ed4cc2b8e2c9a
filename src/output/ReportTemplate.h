#pragma once

#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <stdexcept>

namespace output {

// One column of the detail rows: a dataset field under a title.
struct ReportColumn {
    QString field;
    QString title;      // a language key, or the text itself when the table has no such key
    double width = 1.0; // share of the line, relative to the other columns
    Qt::Alignment align = Qt::AlignLeft;
};

// The page design read from a template file (the format is in docs/reports.md).
struct ReportTemplate {
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{15, 15, 15, 15}; // left, top, right, bottom
    double fontSize = 9.0;               // points
    QString title;
    QString personField; // empty: no person line
    QString periodField; // empty: the print date stands in the period's place
    QVector<ReportColumn> columns;
    QStringList summaryFields;                          // empty: no summary band
    QString countText = QStringLiteral("report_count"); // label of the number of rows
    QString pageText = QStringLiteral("report_page_of");
};

// What is wrong with a template file; detail names the field or the place at fault.
class TemplateError : public std::runtime_error {
public:
    enum class Kind { Missing, Unreadable, Malformed };
    TemplateError(Kind kind, const QString& detail)
        : std::runtime_error(detail.toStdString()), kind(kind) {}
    QString detail() const { return QString::fromStdString(what()); }
    Kind kind;
};

// Reads a template's text; throws TemplateError (Malformed) for anything but a complete
// template with known fields of the right kinds.
ReportTemplate parseTemplate(const QByteArray& text);

// Reads and parses the file; throws TemplateError.
ReportTemplate loadTemplate(const QString& path);

} // namespace output
