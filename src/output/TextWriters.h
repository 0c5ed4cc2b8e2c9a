#pragma once

#include <QByteArray>
#include <QString>

namespace ui {
class ShownTable;
}

namespace output {

// The grid as shown, titles first, one line per row, UTF-8 with CRLF line ends.
// Tab-separated; a field holding a tab, a quote or a line break is quoted as in csv.
QByteArray textFile(const ui::ShownTable& grid);
// RFC 4180 comma-separated values with a byte-order mark.
QByteArray csvFile(const ui::ShownTable& grid);
// An HTML5 document with one table; title is the document's title.
QByteArray htmlFile(const ui::ShownTable& grid, const QString& title);
// An RTF document with one table, titles in bold, widths as in the grid.
QByteArray rtfFile(const ui::ShownTable& grid);

} // namespace output
