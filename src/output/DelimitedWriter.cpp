#include "output/TextWriters.h"
#include "ui/ShownTable.h"

namespace output {

namespace {

// Lines are gathered as UTF-16 and converted once: converting each field costs an
// allocation per cell.
void appendField(QString& out, const QString& text, QChar delimiter) {
    const bool quoted = text.contains(delimiter) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quoted) {
        out += text;
        return;
    }
    out += u'"';
    for (const QChar c : text) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

void appendLine(QString& out, const QStringList& fields, QChar delimiter) {
    for (int index = 0; index < fields.size(); ++index) {
        if (index > 0)
            out += delimiter;
        appendField(out, fields[index], delimiter);
    }
    out += QLatin1String("\r\n");
}

QByteArray delimited(const ui::ShownTable& grid, QChar delimiter, QStringView start) {
    QString lines = start.toString();
    appendLine(lines, grid.shownTitles(), delimiter);
    const int rows = grid.shownRowCount();
    for (int row = 0; row < rows; ++row) {
        if (row == 1) // the first row's length tells roughly how much the rest need
            lines.reserve(lines.size() * (rows + 1));
        appendLine(lines, grid.shownRow(row), delimiter);
    }
    return lines.toUtf8();
}

} // namespace

QByteArray textFile(const ui::ShownTable& grid) {
    return delimited(grid, QLatin1Char('\t'), u"");
}

QByteArray csvFile(const ui::ShownTable& grid) {
    return delimited(grid, QLatin1Char(','), u"\uFEFF"); // the byte-order mark
}

} // namespace output
