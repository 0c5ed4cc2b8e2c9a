#pragma once

#include "output/ExportFormat.h"

#include <QString>
#include <functional>
#include <optional>

class QIODevice;

namespace ui {
class ShownTable;
}

namespace output {

// What write puts into the device, the bytes, or the grid as shown in the format, written to the
// file under a temporary name in the same directory that is renamed once the file is complete; a
// file of that name is replaced. Returns the reason on failure (write throws ExportError with it),
// when any file of that name is left as it was.
using FileWriter = std::function<void(QIODevice& device)>;
std::optional<QString> writeExportFile(const FileWriter& write, const QString& fileName);
std::optional<QString> writeExportFile(const QByteArray& bytes, const QString& fileName);
std::optional<QString> writeGridFile(const ui::ShownTable& grid, ExportFormat format,
                                     const QString& fileName);

} // namespace output
