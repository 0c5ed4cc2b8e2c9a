#include "output/GridFile.h"

#include "output/CompoundFile.h"
#include "output/TextWriters.h"
#include "output/XlsWriter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace output {

namespace {

QByteArray render(const ui::ShownTable& grid, ExportFormat format, const QString& fileName) {
    switch (format) {
    case ExportFormat::Xls:
        return xlsFile(grid);
    case ExportFormat::Txt:
        return textFile(grid);
    case ExportFormat::Csv:
        return csvFile(grid);
    case ExportFormat::Htm: {
        const QFileInfo file(fileName); // a document's title must not be empty
        return htmlFile(grid, file.completeBaseName().isEmpty() ? file.fileName()
                                                                : file.completeBaseName());
    }
    case ExportFormat::Rtf:
        return rtfFile(grid);
    case ExportFormat::Fhir:
        break;
    }
    throw ExportError("A FHIR bundle is written from the stored readings, not from a table.");
}

} // namespace

std::optional<QString> writeGridFile(const ui::ShownTable& grid, ExportFormat format,
                                     const QString& fileName) {
    QByteArray bytes;
    try {
        bytes = render(grid, format, fileName);
    } catch (const ExportError& error) {
        return QString::fromUtf8(error.what());
    }
    return writeExportFile(bytes, fileName);
}

std::optional<QString> writeExportFile(const FileWriter& write, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    try {
        write(file);
    } catch (const ExportError& error) {
        file.cancelWriting();
        return QString::fromUtf8(error.what());
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> writeExportFile(const QByteArray& bytes, const QString& fileName) {
    return writeExportFile(
        [&bytes](QIODevice& device) {
            if (device.write(bytes) != bytes.size())
                throw ExportError(device.errorString().toStdString());
        },
        fileName);
}

} // namespace output
