#include "measure/ImportSummaryDialog.h"

#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "measure/RejectionText.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace measure {

ImportSummaryDialog::ImportSummaryDialog(const lang::LanguageStore& language,
                                         lang::Messages& messages,
                                         const readings::ImportSummary& summary,
                                         const QString& importedFile, QWidget* parent)
    : QDialog(parent), messages_(messages), rejected_(rejectionLines(language, summary)),
      importedFile_(importedFile), counts_(new QLabel(summaryLine(language, summary))),
      firstRejected_(new QPlainTextEdit(this)),
      save_(new QPushButton(language.GetHintText(QStringLiteral("import_save_rejected")))) {
    setObjectName(QStringLiteral("ImportSummaryDialog"));
    setWindowTitle(language.GetHintText(QStringLiteral("import_result_title")));
    counts_->setWordWrap(true);
    firstRejected_->setReadOnly(true);
    firstRejected_->setPlainText(rejected_.mid(0, kRejectionsShown).join(u'\n'));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->addButton(save_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(save_, &QPushButton::clicked, this, &ImportSummaryDialog::saveRejected);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counts_);
    const bool anyRejected = !rejected_.isEmpty();
    if (anyRejected) {
        layout->addWidget(
            new QLabel(language.GetHintText(QStringLiteral("import_rejected_first"))));
        layout->addWidget(firstRejected_, 1);
    }
    firstRejected_->setVisible(anyRejected);
    save_->setVisible(anyRejected);
    layout->addWidget(buttons);
}

QString ImportSummaryDialog::rejectedFile() const {
    const QFileInfo imported(importedFile_);
    return imported.dir().filePath(imported.completeBaseName() + QStringLiteral("-rejected.txt"));
}

void ImportSummaryDialog::saveRejected() {
    const QString path = rejectedFile();
    if (QFileInfo::exists(path) && !messages_.ask(QStringLiteral("export_replace_file")))
        return;
    QSaveFile file(path);
    const QByteArray text = (rejected_.join(u'\n') + u'\n').toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        messages_.fail(QStringLiteral("import_rejected_save_failed"), {file.errorString()});
        return;
    }
    messages_.inform(QStringLiteral("import_rejected_saved"));
}

void runSummaryModally(ImportSummaryDialog& dialog) {
    dialog.exec();
}

} // namespace measure
