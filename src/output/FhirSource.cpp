#include "output/FhirSource.h"

#include "lang/StatusMarkers.h"
#include "store/Dataset.h"

namespace output {

QByteArray storedFhirBundle(store::Database& db, const lang::LanguageStore& language,
                            const QString& lastName, const QDate& from, const QDate& to) {
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
    QList<FhirReading> readings;
    readings.reserve(rows.recordCount());
    for (rows.first(); !rows.eof(); rows.next()) {
        // Stored moments are the wall clock of this computer.
        const QDateTime stored = rows.asDateTime(QStringLiteral("checktime"));
        readings.append(
            {QDateTime(stored.date(), stored.time()), rows.asInteger(QStringLiteral("systolic")),
             rows.asInteger(QStringLiteral("diastolic")),
             rows.asInteger(QStringLiteral("heart_beat")),
             lang::statusMarkers(language, rows.value(QStringLiteral("measurement_status")))});
    }
    return fhirBundle(person, readings);
}

} // namespace output
