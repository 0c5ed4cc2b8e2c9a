#include "output/ExportFormat.h"

namespace output {

QStringList exportFilters() {
    return {QStringLiteral("Microsoft Excel Workbook (*.xls)"),
            QStringLiteral("Text files (*.txt)"), QStringLiteral("Comma separated values (*.csv)"),
            QStringLiteral("HTML file (*.htm)"), QStringLiteral("Rich Text Format (*.rtf)")};
}

std::optional<ExportFormat> formatAt(int position) {
    if (position < 1 || position > 5)
        return std::nullopt;
    return ExportFormat(position - 1);
}

QString extensionOf(ExportFormat format) {
    static const char* const extensions[] = {"xls", "txt", "csv", "htm", "rtf"};
    return QString::fromLatin1(extensions[int(format)]);
}

QString withExtension(const QString& fileName, ExportFormat format) {
    const QString extension = extensionOf(format);
    if (fileName.right(3).compare(extension, Qt::CaseInsensitive) == 0)
        return fileName;
    return fileName + QLatin1Char('.') + extension;
}

} // namespace output
