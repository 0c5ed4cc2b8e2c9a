#include "output/TextWriters.h"
#include "ui/ShownTable.h"

namespace output {

namespace {

void appendRow(QByteArray& out, const QStringList& cells, const char* tag) {
    out += "<tr>";
    for (const QString& cell : cells) {
        out += '<';
        out += tag;
        out += '>';
        out += cell.toHtmlEscaped().replace(QLatin1Char('\''), QLatin1String("&#39;")).toUtf8();
        out += "</";
        out += tag;
        out += '>';
    }
    out += "</tr>\r\n";
}

} // namespace

QByteArray htmlFile(const ui::ShownTable& grid, const QString& title) {
    QByteArray out = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>";
    out += title.toHtmlEscaped().toUtf8();
    out += "</title>\r\n<style>table{border-collapse:collapse}th,td{border:1px solid "
           "#999;padding:2px 6px;white-space:pre-wrap}</style>\r\n</head>\r\n<body>\r\n"
           "<table>\r\n<thead>\r\n";
    appendRow(out, grid.shownTitles(), "th");
    out += "</thead>\r\n<tbody>\r\n";
    for (int row = 0; row < grid.shownRowCount(); ++row)
        appendRow(out, grid.shownRow(row), "td");
    out += "</tbody>\r\n</table>\r\n</body>\r\n</html>\r\n";
    return out;
}

} // namespace output
