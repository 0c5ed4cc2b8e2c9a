#include "readings/ReadingRange.h"

#include "store/Database.h"
#include "store/NameKeys.h"
#include "store/Statement.h"

#include <optional>

namespace readings {
namespace {

// The name key takes the person's index; moments compare as their text.
const QString kRange =
    QStringLiteral("select systolic,diastolic,heart_beat,checktime,delselection from bp_record "
                   "where personal_key=?1 and checktime>=?2 and checktime<?3 order by checktime");

std::optional<int> digits(QByteArrayView text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// 'yyyy-MM-dd HH:mm:ss', the seconds optional, read digit by digit: parsing through
// QDateTime costs more than the figures themselves.
QDateTime momentOf(QByteArrayView text) {
    if (text.size() != 16 && text.size() < 19)
        return {};
    const auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2),
               hour = digits(text, 11, 2), minute = digits(text, 14, 2),
               second = text.size() == 16 ? std::optional<int>(0) : digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return {};
    const QDate date(*year, *month, *day);
    const QTime time(*hour, *minute, *second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

QByteArray dayText(const QDate& date) {
    return date.toString(Qt::ISODate).toLatin1();
}

} // namespace

QVector<Reading> readingsInRange(store::Database& db, const QString& person, const QDate& first,
                                 const QDate& last) {
    store::Statement query(db.handle(), kRange);
    const QByteArray key = store::NameKeys::fold(person).toUtf8();
    const QByteArray from = dayText(first);
    const QByteArray to = dayText(last.addDays(1));
    query.bindText(1, key);
    query.bindText(2, from);
    query.bindText(3, to);
    QVector<Reading> readings;
    while (query.step()) {
        Reading r;
        r.moment = momentOf(query.at(3).text());
        if (!r.moment.isValid())
            continue;
        r.systolic = static_cast<int>(query.at(0).integer());
        r.diastolic = static_cast<int>(query.at(1).integer());
        if (query.at(2).storageClass() != store::StorageClass::Null)
            r.pulse = static_cast<int>(query.at(2).integer());
        r.mark = query.at(4).integer() != 0;
        readings.append(r);
    }
    return readings;
}

} // namespace readings
