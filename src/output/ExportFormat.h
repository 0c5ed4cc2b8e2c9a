#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace output {

// The formats of the save dialog's type list, in its order. The FHIR bundle is listed last
// and only for lists of single readings.
enum class ExportFormat { Xls, Txt, Csv, Htm, Rtf, Fhir };

// The shown texts of the type list, first entry first.
QStringList exportFilters(bool withBundle = false);
// The format of a 1-based position in the type list; none for any other position.
std::optional<ExportFormat> formatAt(int position, bool withBundle = false);
// "xls", "txt", "csv", "htm", "rtf" or "json".
QString extensionOf(ExportFormat format);
// The name with "." and the extension appended, unless its last characters already are the
// extension in any letter case.
QString withExtension(const QString& fileName, ExportFormat format);

} // namespace output
