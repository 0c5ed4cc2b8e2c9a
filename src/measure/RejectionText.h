#pragma once

#include "readings/CsvImport.h"

#include <QStringList>

namespace lang {
class LanguageStore;
}

namespace measure {

// The listed rejected lines of an import as a person reads them, "Line 7: reason [field]",
// and a closing line for those counted but not listed.
QStringList rejectionLines(const lang::LanguageStore& language,
                           const readings::ImportSummary& summary);

// The counts of an import in one sentence.
QString summaryLine(const lang::LanguageStore& language, const readings::ImportSummary& summary);

} // namespace measure
