#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace output {

// The formats of the save dialog's type list, in its order.
enum class ExportFormat { Xls, Txt, Csv, Htm, Rtf };

// The shown texts of the type list, first entry first.
QStringList exportFilters();
// The format of a 1-based position in the type list; none for any other position.
std::optional<ExportFormat> formatAt(int position);
// "xls", "txt", "csv", "htm" or "rtf".
QString extensionOf(ExportFormat format);
// The name with "." and the extension appended, unless its last three characters already
// are the extension in any letter case.
QString withExtension(const QString& fileName, ExportFormat format);

} // namespace output
