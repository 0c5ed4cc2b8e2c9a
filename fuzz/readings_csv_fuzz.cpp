// Feeds arbitrary bytes to the readings import as a file, then checks what it stored:
// every line is stored whole or rejected whole, so the stored, skipped and rejected lines
// add up to the file's lines after the header; every stored reading passes the checks and
// has its day and time columns filled from its moment; a file that is refused, or asks a
// question, stores nothing.
// Input: one byte of choices (locale, order of day and month, a mapping of the first five
// columns instead of the titles'), then the file.
#include "readings/CsvImport.h"
#include "store/Database.h"
#include "store/Dataset.h"

#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void violated(const char* what) {
    std::fprintf(stderr, "readings_csv_fuzz: %s\n", what);
    std::abort();
}

const QString person = QStringLiteral("Müller");
const QDateTime now(QDate(2024, 6, 1), QTime(12, 0));

store::Database& database() {
    static QTemporaryDir dir;
    static store::Database* db = [] {
        auto* opened = new store::Database;
        opened->open(dir.filePath(QStringLiteral("tonvi.mdb")));
        opened->execute(QStringLiteral("insert into bp_userinfo(id,lastname) values (1,'Müller')"));
        return opened;
    }();
    return *db;
}

readings::ImportOptions optionsFrom(uint8_t choices) {
    readings::ImportOptions options;
    options.locale = QLocale(choices & 1 ? QStringLiteral("de_DE") : QStringLiteral("en_US"));
    options.now = now;
    options.dateOrder =
        choices & 2 ? readings::DateOrder::MonthFirst : readings::DateOrder::DayFirst;
    if (choices & 4) {
        readings::ColumnMapping mapping;
        for (const readings::Field field :
             {readings::Field::DateTime, readings::Field::Systolic, readings::Field::Diastolic,
              readings::Field::Pulse, readings::Field::Mark})
            mapping.set(field, int(field) - int(readings::Field::DateTime));
        options.mapping = mapping;
    }
    return options;
}

qint64 linesAfterTitles(const QByteArray& bytes) {
    readings::CsvFile file = readings::CsvFile::fromBytes(bytes);
    readings::CsvRecord record;
    qint64 lines = -1;
    if (file.rewind())
        while (file.next(record))
            ++lines;
    return std::max<qint64>(lines, 0);
}

void checkStored(store::Database& db, int stored) {
    store::Dataset rows(db, store::WriteMode::Immediate);
    rows.setCommandText(QStringLiteral("select * from bp_record"));
    rows.open();
    if (rows.recordCount() != stored)
        violated("the rows in the table are not the rows counted as stored");
    for (rows.first(); !rows.eof(); rows.next()) {
        const QVariant pulse = rows.value(QStringLiteral("heart_beat"));
        const readings::Reading reading{
            rows.asDateTime(QStringLiteral("checktime")),
            rows.asInteger(QStringLiteral("systolic")), rows.asInteger(QStringLiteral("diastolic")),
            pulse.isNull() ? std::nullopt : std::optional(pulse.toInt()),
            rows.value(QStringLiteral("delselection")).toBool()};
        if (!readings::check(reading, now).isEmpty())
            violated("a stored reading fails the checks");
        if (rows.asString(QStringLiteral("personal")) != person ||
            rows.asString(QStringLiteral("checktime_mmdd")) !=
                reading.moment.toString(QStringLiteral("MM/dd")) ||
            rows.asString(QStringLiteral("checktime_hhmm")) !=
                reading.moment.toString(QStringLiteral("HH:mm")))
            violated("a stored reading's person, day or time is not its own");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    store::Database& db = database();
    db.execute(QStringLiteral("delete * from bp_record"));
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    readings::CsvFile file = readings::CsvFile::fromBytes(bytes);
    const readings::ImportResult result =
        readings::importReadings(db, person, file, optionsFrom(data[0]));
    const readings::ImportSummary& summary = result.summary;
    if (result.status != readings::ImportStatus::Done) {
        checkStored(db, 0);
        return 0;
    }
    checkStored(db, summary.stored);
    if (summary.stored + summary.skipped + summary.rejectedCount != linesAfterTitles(bytes))
        violated("stored, skipped and rejected lines do not add up to the file's lines");
    if (summary.rejected.size() !=
        std::min<qint64>(summary.rejectedCount, readings::kListedRejections))
        violated("the listed rejections are not the first of those counted");
    return 0;
}
