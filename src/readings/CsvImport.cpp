#include "readings/CsvImport.h"

#include "readings/ReadingStore.h"
#include "readings/RowReader.h"
#include "store/Database.h"
#include "store/DatabaseError.h"
#include "store/JetSql.h"
#include "store/Statement.h"

namespace readings {

namespace {

ImportResult ended(ImportStatus status, Problem problem) {
    ImportResult result;
    result.status = status;
    result.problem = std::move(problem);
    return result;
}

ImportResult failed(Problem problem) {
    const bool cancelled = problem.key == QLatin1String("import_cancelled");
    return ended(cancelled ? ImportStatus::Cancelled : ImportStatus::Failed, std::move(problem));
}

bool personExists(store::Database& db, const QString& person) {
    store::Statement known(
        db.handle(), store::JetSql::rewrite(
                         QStringLiteral("select 1 from bp_userinfo where lastname=:a1 limit 1")));
    known.bind(1, person);
    return known.step();
}

void reject(ImportSummary& summary, qint64 line, Rejection rejection) {
    ++summary.rejectedCount;
    rejection.line = line;
    if (summary.rejected.size() < kListedRejections)
        summary.rejected.append(std::move(rejection));
}

// Stores every line after the titles in one transaction. Watching a date column, it
// gives none, storing nothing, at the first date that only the whole file can read.
std::optional<ImportResult> storeRows(store::Database& db, const QString& person, CsvFile& file,
                                      const RowReader& rows, const ImportOptions& options,
                                      int watchedDateColumn = -1) {
    store::Transaction transaction(db);
    ReadingWriter writer(db, person);
    ImportResult result;
    CsvRecord record;
    if (!file.rewind() || !file.next(record)) // the titles
        return failed(file.error().value_or(Problem{QStringLiteral("import_file_empty")}));
    ImportSummary& summary = result.summary;
    DateSurvey dates;
    const QDateTime now = wallClock(options.now); // turned once: local time costs a zone lookup
    qint64 count = 0;
    for (; file.next(record); ++count) {
        if (options.cancelled && count % kCancelEvery == 0 && options.cancelled())
            return failed({QStringLiteral("import_cancelled")});
        if (watchedDateColumn >= 0 && watchedDateColumn < record.fields.size()) {
            dates.add(record.fields[watchedDateColumn]);
            if (!dates.readsLineByLine())
                return std::nullopt;
        }
        auto row = rows.read(record.fields, now);
        if (auto* rejection = std::get_if<Rejection>(&row))
            reject(summary, record.line, std::move(*rejection));
        else
            ++(writer.add(std::get<Reading>(row)) ? summary.stored : summary.skipped);
    }
    if (file.error())
        return failed(*file.error());
    if (count == 0)
        return failed({QStringLiteral("import_file_no_rows")});
    writer.finish();
    transaction.commit();
    result.status = ImportStatus::Done;
    return result;
}

// The caller's mapping or the titles', when it names every needed column.
std::optional<ColumnMapping> completeMapping(CsvFile& file, const ImportOptions& options) {
    if (options.mapping)
        return options.mapping->complete() ? options.mapping : std::nullopt;
    CsvRecord titles;
    if (!file.rewind() || !file.next(titles))
        return std::nullopt;
    ColumnMapping mapping = mapColumns(titles.fields);
    return mapping.complete() ? std::optional(mapping) : std::nullopt;
}

// Reads the file once when every date reads alone, as ISO and dotted dates do.
std::optional<ImportResult> importInOnePass(store::Database& db, const QString& person,
                                            CsvFile& file, const ImportOptions& options) {
    const auto mapping = completeMapping(file, options);
    if (!mapping)
        return std::nullopt;
    const MomentReader moments({options.locale, options.dateOrder.value_or(DateOrder::DayFirst),
                                EpochUnit::None, options.now.date().year()});
    return storeRows(db, person, file, RowReader(*mapping, moments), options,
                     mapping->dateColumn());
}

// Reads the file twice: first to learn the order of its dates, its Unix time unit, or
// what to ask, then to store.
ImportResult importInTwoPasses(store::Database& db, const QString& person, CsvFile& file,
                               const ImportOptions& options) {
    auto surveyed = surveyFile(file, options.mapping, options.cancelled);
    if (auto* problem = std::get_if<Problem>(&surveyed))
        return failed(std::move(*problem));
    FileSurvey& survey = std::get<FileSurvey>(surveyed);
    if (!survey.mapping.complete()) {
        ImportResult result =
            ended(ImportStatus::NeedsColumns, {QStringLiteral("import_columns_missing"),
                                               {survey.titles.join(QStringLiteral(", "))}});
        result.survey = std::move(survey);
        return result;
    }
    if (survey.dates.needsOrder() && !options.dateOrder) {
        ImportResult result =
            ended(ImportStatus::NeedsDateOrder, {QStringLiteral("import_dates_ambiguous")});
        result.survey = std::move(survey);
        return result;
    }
    const MomentReader moments(
        {options.locale,
         survey.dates.order().value_or(options.dateOrder.value_or(DateOrder::DayFirst)),
         survey.dates.epochUnit(), options.now.date().year()});
    return *storeRows(db, person, file, RowReader(survey.mapping, moments), options);
}

} // namespace

ImportResult importReadings(store::Database& db, const QString& person, CsvFile& file,
                            const ImportOptions& options) {
    try {
        if (!personExists(db, person))
            return failed({QStringLiteral("import_person_unknown"), {person}});
        if (auto result = importInOnePass(db, person, file, options))
            return std::move(*result);
        return importInTwoPasses(db, person, file, options);
    } catch (const store::DatabaseError& error) {
        return failed({QStringLiteral("import_database_error"), {error.message()}});
    }
}

} // namespace readings
