#include "output/PdfFile.h"

#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/ReportDocument.h"
#include "output/SaveLocation.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

namespace output {

QString writePdf(const ReportDocument& report, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(report.title());
        writer.setCreator(QStringLiteral("tonvi"));
        drawn = report.render(writer);
    }
    if (!drawn || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString choosePdfFile(QWidget* parent, const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, QString(), suggested, QStringLiteral("PDF (*.pdf)"),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

bool saveAsPdf(const ReportDocument& report, lang::WindowContext& context, QWidget* parent,
               const PdfFileChooser& choose) {
    const QString subject = report.person().isEmpty()
                                ? QFileInfo(report.templatePath()).completeBaseName()
                                : report.person();
    const QString suggested =
        QDir(saveFolder(context.files)).filePath(suggestedFileName(subject) + ".pdf");
    QString path = choose(parent, suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) && !context.messages.ask(QStringLiteral("report_pdf_replace")))
        return false;
    const QString reason = writePdf(report, path);
    if (reason.isEmpty()) {
        rememberSaveFolder(context.files, path);
        return true;
    }
    context.messages.showError(context.language.GetHintText(QStringLiteral("report_pdf_error"))
                                   .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

} // namespace output
