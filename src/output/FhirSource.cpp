#include "output/FhirSource.h"

#include "lang/StatusMarkers.h"
#include "output/LocalOffsets.h"
#include "store/Dataset.h"
#include "store/FieldValue.h"

namespace output {

void writeStoredFhirBundle(QIODevice& device, store::Database& db,
                           const lang::LanguageStore& language, const QString& lastName,
                           const QDate& from, const QDate& to) {
    FhirPerson person{lastName, {}, {}, {}};
    store::Dataset info(db, store::WriteMode::Immediate);
    info.setCommandText(QStringLiteral(
        "select firstname,birthday,gender from bp_userinfo where lastname=:a1 limit 1"));
    info.setParameter(QStringLiteral("a1"), lastName);
    info.open();
    if (!info.isEmpty()) {
        person.firstName = info.asString(QStringLiteral("firstname"));
        person.birthDate = info.asDateTime(QStringLiteral("birthday")).date();
        person.gender = info.asString(QStringLiteral("gender"));
    }

    store::Dataset rows(db, store::WriteMode::Immediate);
    rows.setCommandText(QStringLiteral(
        "select systolic,diastolic,heart_beat,checktime,measurement_status from bp_record "
        "where personal=:a1 "
        "and checktime>=:a2 and checktime<:a3 order by checktime"));
    rows.setParameter(QStringLiteral("a1"), lastName);
    rows.setParameter(QStringLiteral("a2"), from.toString(Qt::ISODate));
    rows.setParameter(QStringLiteral("a3"), to.addDays(1).toString(Qt::ISODate));
    rows.open();
    const int systolic = rows.fieldIndex(QStringLiteral("systolic"));
    const int diastolic = rows.fieldIndex(QStringLiteral("diastolic"));
    const int pulse = rows.fieldIndex(QStringLiteral("heart_beat"));
    const int checktime = rows.fieldIndex(QStringLiteral("checktime"));
    const int status = rows.fieldIndex(QStringLiteral("measurement_status"));
    LocalOffsets offsets;
    QList<FhirReading> readings(rows.recordCount());
    for (int row = 0; row < rows.recordCount(); ++row) {
        // Stored moments are the wall clock of this computer. On ordinary days they take the
        // day's offset, which spares asking the time zone for each of them.
        const QDateTime stored = store::FieldValue::wallClock(rows.valueAt(row, checktime));
        const std::optional<int> offset = offsets.ofDay(stored.date());
        FhirReading& reading = readings[row];
        reading.moment = offset
                             ? QDateTime(stored.date(), stored.time(), Qt::OffsetFromUTC, *offset)
                             : QDateTime(stored.date(), stored.time());
        reading.systolic = rows.integerAt(row, systolic);
        reading.diastolic = rows.integerAt(row, diastolic);
        reading.pulse = rows.integerAt(row, pulse);
        reading.note = lang::statusMarkers(language, rows.valueAt(row, status));
    }
    writeFhirBundle(device, person, readings);
}

} // namespace output
