#pragma once

#include <QByteArray>

namespace ui {
class ShownTable;
}

namespace output {

// At most this many rows on one sheet, the title row included.
constexpr int rowsPerSheet = 65536;

// The grid as shown as an Excel 97-2003 workbook: BIFF8 records inside a compound file.
// Titles are the first row of every sheet, numbers are number cells, dates are date
// cells formatted as the grid shows them, texts are in the shared string table, and the
// column widths follow the grid. Throws ExportError.
QByteArray xlsFile(const ui::ShownTable& grid);

} // namespace output
