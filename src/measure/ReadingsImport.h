#pragma once

#include "measure/ColumnMappingDialog.h"
#include "measure/ImportSummaryDialog.h"
#include "readings/DateReading.h"

#include <QString>
#include <functional>
#include <optional>

class QProgressDialog;
class QWidget;

namespace lang {
class LanguageStore;
struct WindowContext;
} // namespace lang

namespace measure {

// The steps of an import that wait for the user; tests replace them.
struct ImportSteps {
    // The file to import, empty when the user cancels.
    std::function<QString(QWidget* parent, const lang::LanguageStore& language,
                          const QString& folder)>
        chooseFile;
    MappingRunner mapColumns = runMappingModally;
    // The order of day and month, none when the user cancels.
    std::function<std::optional<readings::DateOrder>(QWidget* parent,
                                                     const lang::LanguageStore& language)>
        chooseDateOrder;
    SummaryRunner showSummary = runSummaryModally;
    // Called whenever the import asks whether to stop, before it looks at the progress
    // dialog's Cancel button.
    std::function<void(QProgressDialog&)> whileImporting;

    ImportSteps();
};

// Lets the user choose a readings file and imports it for the person, asking for the
// columns or the order of day and month when the file does not tell them. True when
// readings may have been stored.
bool importForPerson(lang::WindowContext& context, const QString& person, QWidget* parent,
                     const ImportSteps& steps);

} // namespace measure
