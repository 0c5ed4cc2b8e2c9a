#include "output/GridFile.h"

#include "output/CompoundFile.h"
#include "output/TextWriters.h"
#include "output/XlsWriter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace output {

namespace {

QByteArray render(const ui::DataGrid& grid, ExportFormat format, const QString& fileName) {
    switch (format) {
    case ExportFormat::Xls:
        return xlsFile(grid);
    case ExportFormat::Txt:
        return textFile(grid);
    case ExportFormat::Csv:
        return csvFile(grid);
    case ExportFormat::Htm:
        return htmlFile(grid, QFileInfo(fileName).completeBaseName());
    case ExportFormat::Rtf:
        return rtfFile(grid);
    }
    return {};
}

} // namespace

std::optional<QString> writeGridFile(const ui::DataGrid& grid, ExportFormat format,
                                     const QString& fileName) {
    QByteArray bytes;
    try {
        bytes = render(grid, format, fileName);
    } catch (const ExportError& error) {
        return QString::fromUtf8(error.what());
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace output
