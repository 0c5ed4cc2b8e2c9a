#pragma once

#include "readings/ColumnMapping.h"
#include "readings/CsvFile.h"
#include "readings/DateReading.h"
#include "readings/Problem.h"

#include <QStringList>
#include <QVector>
#include <functional>
#include <variant>

namespace readings {

// What one reading of a whole file finds, before anything is stored.
struct FileSurvey {
    QStringList titles;             // the header line
    ColumnMapping mapping;          // found from the titles, or the caller's
    QVector<QStringList> firstRows; // the first lines after the header, for a mapping dialog
    qint64 dataRows = 0;            // lines after the header that are not empty
    DateSurvey dates;               // over the date column, when the mapping has one
};

// Asked now and then during long work; true stops it.
using Cancelled = std::function<bool()>;

// Reads the file once. The mapping is the caller's when given, else the one the titles
// give. A file that cannot be read, is no text, is empty or has no line after the header
// gives a Problem, as does a cancel ("import_cancelled").
std::variant<FileSurvey, Problem> surveyFile(CsvFile& file,
                                             const std::optional<ColumnMapping>& mapping = {},
                                             const Cancelled& cancelled = {});

// How many lines pass between two questions whether to stop.
inline constexpr int kCancelEvery = 512;

} // namespace readings
