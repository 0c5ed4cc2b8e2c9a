#include "output/ExportFormat.h"

namespace output {

QStringList exportFilters(bool withBundle) {
    QStringList filters{
        QStringLiteral("Microsoft Excel Workbook (*.xls)"), QStringLiteral("Text files (*.txt)"),
        QStringLiteral("Comma separated values (*.csv)"), QStringLiteral("HTML file (*.htm)"),
        QStringLiteral("Rich Text Format (*.rtf)")};
    if (withBundle)
        filters << QStringLiteral("FHIR bundle (*.json)");
    return filters;
}

std::optional<ExportFormat> formatAt(int position, bool withBundle) {
    if (position < 1 || position > (withBundle ? 6 : 5))
        return std::nullopt;
    return ExportFormat(position - 1);
}

QString extensionOf(ExportFormat format) {
    static const char* const extensions[] = {"xls", "txt", "csv", "htm", "rtf", "json"};
    return QString::fromLatin1(extensions[int(format)]);
}

QString withExtension(const QString& fileName, ExportFormat format) {
    const QString extension = extensionOf(format);
    if (fileName.right(extension.size()).compare(extension, Qt::CaseInsensitive) == 0)
        return fileName;
    return fileName + QLatin1Char('.') + extension;
}

} // namespace output
