#include "readings/FileSurvey.h"

namespace readings {

namespace {

constexpr int kFirstRows = 20;

} // namespace

std::variant<FileSurvey, Problem>
surveyFile(CsvFile& file, const std::optional<ColumnMapping>& mapping, const Cancelled& cancelled) {
    CsvRecord record;
    if (!file.rewind() || !file.next(record))
        return file.error().value_or(Problem{QStringLiteral("import_file_empty")});
    FileSurvey survey;
    survey.titles = record.fields;
    survey.mapping = mapping.value_or(mapColumns(survey.titles));
    const int dateColumn = survey.mapping.dateColumn();
    while (file.next(record)) {
        if (cancelled && survey.dataRows % kCancelEvery == 0 && cancelled())
            return Problem{QStringLiteral("import_cancelled")};
        ++survey.dataRows;
        if (survey.firstRows.size() < kFirstRows)
            survey.firstRows.append(record.fields);
        if (dateColumn >= 0 && dateColumn < record.fields.size())
            survey.dates.add(record.fields[dateColumn]);
    }
    if (file.error())
        return *file.error();
    if (survey.dataRows == 0)
        return Problem{QStringLiteral("import_file_no_rows")};
    return survey;
}

} // namespace readings
