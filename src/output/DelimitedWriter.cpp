#include "output/TextWriters.h"
#include "ui/DataGrid.h"

namespace output {

namespace {

void appendField(QByteArray& out, const QString& text, QChar delimiter) {
    const bool quoted = text.contains(delimiter) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quoted) {
        out += text.toUtf8();
        return;
    }
    out += '"';
    out += QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")).toUtf8();
    out += '"';
}

void appendLine(QByteArray& out, const QStringList& fields, QChar delimiter) {
    for (int index = 0; index < fields.size(); ++index) {
        if (index > 0)
            out += char(delimiter.unicode());
        appendField(out, fields[index], delimiter);
    }
    out += "\r\n";
}

QByteArray delimited(const ui::DataGrid& grid, QChar delimiter, const QByteArray& start) {
    QByteArray out = start;
    appendLine(out, grid.shownTitles(), delimiter);
    for (int row = 0; row < grid.shownRowCount(); ++row)
        appendLine(out, grid.shownRow(row), delimiter);
    return out;
}

} // namespace

QByteArray textFile(const ui::DataGrid& grid) {
    return delimited(grid, QLatin1Char('\t'), {});
}

QByteArray csvFile(const ui::DataGrid& grid) {
    return delimited(grid, QLatin1Char(','), QByteArrayLiteral("\xEF\xBB\xBF"));
}

} // namespace output
