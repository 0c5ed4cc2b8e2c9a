#pragma once

#include <QByteArray>
#include <QString>

namespace ui {
class DataGrid;
}

namespace output {

// The grid as shown, titles first, one line per row, UTF-8 with CRLF line ends.
// Tab-separated; a field holding a tab, a quote or a line break is quoted as in csv.
QByteArray textFile(const ui::DataGrid& grid);
// RFC 4180 comma-separated values with a byte-order mark.
QByteArray csvFile(const ui::DataGrid& grid);
// An HTML5 document with one table; title is the document's title.
QByteArray htmlFile(const ui::DataGrid& grid, const QString& title);
// An RTF document with one table, titles in bold, widths as in the grid.
QByteArray rtfFile(const ui::DataGrid& grid);

} // namespace output
