#pragma once

#include "readings/FileSurvey.h"
#include "readings/RowReader.h"

#include <QDateTime>
#include <QLocale>
#include <QVector>
#include <optional>

namespace store {
class Database;
}

namespace readings {

struct ImportSummary {
    int stored = 0;
    int skipped = 0; // a reading of the same minute was stored already
    qint64 rejectedCount = 0;
    QVector<Rejection> rejected; // the first kListedRejections of them
};

inline constexpr int kListedRejections = 1000;

enum class ImportStatus {
    Done,
    Failed,         // problem says why
    NeedsColumns,   // the titles do not name every needed column: ask for a mapping
    NeedsDateOrder, // the dates read as d/M and as M/d: ask for the order
    Cancelled
};

struct ImportOptions {
    QLocale locale;
    QDateTime now = QDateTime::currentDateTime();
    std::optional<ColumnMapping> mapping; // the caller's, instead of the titles'
    // The caller's order for a file whose dates read either way; a file whose dates show
    // their order keeps it.
    std::optional<DateOrder> dateOrder;
    Cancelled cancelled;
};

struct ImportResult {
    ImportStatus status = ImportStatus::Failed;
    std::optional<Problem> problem;   // unless Done
    ImportSummary summary;            // when Done
    std::optional<FileSurvey> survey; // titles and first rows, for the questions
};

// Stores the readings of the file for the person in one transaction: each line is
// stored whole or rejected whole, and on a fault, a question or a cancel nothing is
// stored.
ImportResult importReadings(store::Database& db, const QString& person, CsvFile& file,
                            const ImportOptions& options);

} // namespace readings
