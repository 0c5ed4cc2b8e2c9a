#pragma once

#include "output/ExportFormat.h"

#include <QString>
#include <optional>

namespace ui {
class DataGrid;
}

namespace output {

// Writes the grid as shown to the file in the format, under a temporary name in the same
// directory that is renamed once the file is complete; a file of that name is replaced.
// Returns the platform's reason on failure, when any file of that name is left as it was.
std::optional<QString> writeGridFile(const ui::DataGrid& grid, ExportFormat format,
                                     const QString& fileName);

} // namespace output
