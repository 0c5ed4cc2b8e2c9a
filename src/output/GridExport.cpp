#include "output/GridExport.h"

#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "output/ExportFormat.h"
#include "output/GridFile.h"
#include "output/SaveLocation.h"
#include "store/DatabaseError.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace output {

namespace {

std::optional<ExportChoice> askWithDialog(QWidget* parent, const QString& suggestedPath,
                                          const QStringList& filters) {
    const std::unique_ptr<QFileDialog> dialog = exportDialog(parent, suggestedPath, filters);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return ExportChoice{dialog->selectedFiles().constFirst(),
                        int(filters.indexOf(dialog->selectedNameFilter())) + 1};
}

std::optional<QString> writeExport(const ui::ShownTable& grid, ExportFormat format,
                                   const BundleSource& bundle, const QString& fileName) {
    if (format != ExportFormat::Fhir)
        return writeGridFile(grid, format, fileName);
    try {
        return writeExportFile(bundle, fileName);
    } catch (const store::DatabaseError& error) {
        return error.message();
    }
}

} // namespace

std::unique_ptr<QFileDialog> exportDialog(QWidget* parent, const QString& suggestedPath,
                                          const QStringList& filters) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // Replacing is asked after the extension has been added.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.constFirst());
    dialog->setDirectory(QFileInfo(suggestedPath).absolutePath());
    dialog->selectFile(QFileInfo(suggestedPath).fileName());
    dialog->setSizeGripEnabled(true);
    return dialog;
}

GridExport::GridExport(lang::Messages& messages, const lang::LanguageStore& language,
                       const store::AppFiles& files, QWidget* dialogParent)
    : messages_(messages), language_(language), files_(files),
      chooser_([dialogParent](const QString& suggestedPath, const QStringList& filters) {
          return askWithDialog(dialogParent, suggestedPath, filters);
      }) {}

QString GridExport::ExportGrid(const QString& suggestedName, const ui::ShownTable& grid,
                               const BundleSource& bundle) {
    const QString suggestedPath = QDir(saveFolder(files_)).filePath(suggestedName);
    const bool withBundle = bool(bundle);
    const std::optional<ExportChoice> choice = chooser_(suggestedPath, exportFilters(withBundle));
    if (!choice)
        return suggestedPath;
    const std::optional<ExportFormat> format = formatAt(choice->position, withBundle);
    if (!format)
        return choice->fileName;
    const QString fileName = withExtension(choice->fileName, *format);
    if (QFileInfo::exists(fileName) && !messages_.ask(QStringLiteral("export_replace_file")))
        return fileName;
    if (const std::optional<QString> reason = writeExport(grid, *format, bundle, fileName)) {
        messages_.showError(language_.GetHintText(QStringLiteral("export_failed")) +
                            QStringLiteral("\n\n") + QDir::toNativeSeparators(fileName) +
                            QStringLiteral("\n") + *reason);
    } else
        rememberSaveFolder(files_, fileName);
    return fileName;
}

} // namespace output
