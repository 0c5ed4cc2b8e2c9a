#include "output/GridExport.h"

#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "output/ExportFormat.h"
#include "output/GridFile.h"
#include "output/SaveLocation.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace output {

namespace {

std::optional<ExportChoice> askWithDialog(QWidget* parent, const QString& suggestedPath) {
    const std::unique_ptr<QFileDialog> dialog = exportDialog(parent, suggestedPath);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return ExportChoice{dialog->selectedFiles().constFirst(),
                        int(exportFilters().indexOf(dialog->selectedNameFilter())) + 1};
}

} // namespace

std::unique_ptr<QFileDialog> exportDialog(QWidget* parent, const QString& suggestedPath) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // Replacing is asked after the extension has been added.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setNameFilters(exportFilters());
    dialog->selectNameFilter(exportFilters().constFirst());
    dialog->setDirectory(QFileInfo(suggestedPath).absolutePath());
    dialog->selectFile(QFileInfo(suggestedPath).fileName());
    dialog->setSizeGripEnabled(true);
    return dialog;
}

GridExport::GridExport(lang::Messages& messages, const lang::LanguageStore& language,
                       const store::AppFiles& files, QWidget* dialogParent)
    : messages_(messages), language_(language), files_(files),
      chooser_([dialogParent](const QString& suggestedPath) {
          return askWithDialog(dialogParent, suggestedPath);
      }) {}

QString GridExport::ExportGrid(const QString& suggestedName, const ui::ShownTable& grid) {
    const QString suggestedPath = QDir(saveFolder(files_)).filePath(suggestedName);
    const std::optional<ExportChoice> choice = chooser_(suggestedPath);
    if (!choice)
        return suggestedPath;
    const std::optional<ExportFormat> format = formatAt(choice->position);
    if (!format)
        return choice->fileName;
    const QString fileName = withExtension(choice->fileName, *format);
    if (QFileInfo::exists(fileName) && !messages_.ask(QStringLiteral("export_replace_file")))
        return fileName;
    if (const std::optional<QString> reason = writeGridFile(grid, *format, fileName)) {
        messages_.showError(language_.GetHintText(QStringLiteral("export_failed")) +
                            QStringLiteral("\n\n") + QDir::toNativeSeparators(fileName) +
                            QStringLiteral("\n") + *reason);
    } else
        rememberSaveFolder(files_, fileName);
    return fileName;
}

} // namespace output
