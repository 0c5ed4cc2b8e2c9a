#pragma once

#include "output/ExportFormat.h"

#include <QString>
#include <optional>

namespace ui {
class ShownTable;
}

namespace output {

// Writes the bytes, or the grid as shown in the format, to the file under a temporary name in the
// same directory that is renamed once the file is complete; a file of that name is replaced.
// Returns the platform's reason on failure, when any file of that name is left as it was.
std::optional<QString> writeExportFile(const QByteArray& bytes, const QString& fileName);
std::optional<QString> writeGridFile(const ui::ShownTable& grid, ExportFormat format,
                                     const QString& fileName);

} // namespace output
