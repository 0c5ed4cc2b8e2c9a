#pragma once

#include "readings/CsvImport.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace lang {
class LanguageStore;
class Messages;
} // namespace lang

namespace measure {

// What an import did: the counts, the first rejected lines with their reasons, and a
// button that saves every listed rejected line to a text file beside the imported file.
class ImportSummaryDialog : public QDialog {
    Q_OBJECT
public:
    ImportSummaryDialog(const lang::LanguageStore& language, lang::Messages& messages,
                        const readings::ImportSummary& summary, const QString& importedFile,
                        QWidget* parent = nullptr);

    QLabel* counts() const { return counts_; }
    QPlainTextEdit* firstRejected() const { return firstRejected_; }
    QPushButton* saveButton() const { return save_; }
    // "readings.csv" gives "readings-rejected.txt" in the same folder.
    QString rejectedFile() const;
    // Replaces an existing file only after the user agreed; written under a temporary
    // name and renamed when complete.
    void saveRejected();

private:
    lang::Messages& messages_;
    QStringList rejected_;
    QString importedFile_;
    QLabel* counts_;
    QPlainTextEdit* firstRejected_;
    QPushButton* save_;
};

inline constexpr int kRejectionsShown = 20;

using SummaryRunner = std::function<void(ImportSummaryDialog&)>;
void runSummaryModally(ImportSummaryDialog& dialog);

} // namespace measure
