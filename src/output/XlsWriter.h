#pragma once

#include <QByteArray>

namespace ui {
class DataGrid;
}

namespace output {

// At most this many rows on one sheet, the title row included.
constexpr int rowsPerSheet = 65536;

// The BIFF8 workbook stream of the grid as shown: titles as the first row of every sheet,
// numbers as number cells, dates as date cells formatted as the grid shows them, texts
// in the shared string table, column widths as in the grid.
QByteArray workbookStream(const ui::DataGrid& grid);
// The workbook stream inside a compound file: an Excel 97-2003 workbook. Throws
// ExportError.
QByteArray xlsFile(const ui::DataGrid& grid);

} // namespace output
