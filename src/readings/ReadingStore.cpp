#include "readings/ReadingStore.h"

#include "store/Database.h"
#include "store/JetSql.h"
#include "store/NameKeys.h"
#include "store/Statement.h"

namespace readings {

namespace {

// Stored moments are text 'yyyy-MM-dd HH:mm:ss', so the minute's readings lie between
// its text without seconds and the next minute's. A new reading excepts rowid 0, which
// no row has.
const QString kHeld =
    QStringLiteral("select 1 from bp_record where personal=:a1 and checktime>=:a2 and "
                   "checktime<:a3 and rowid<>:a4 limit 1");
// The name key comes along, so the connection need not fill it row by row.
const QString kInsert = QStringLiteral(
    "insert into bp_record(personal,systolic,diastolic,heart_beat,checktime,checktime_mmdd,"
    "checktime_hhmm,delselection,personal_key) values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9)");
const QString kUpdate =
    QStringLiteral("update bp_record set systolic=:a1,diastolic=:a2,heart_beat=:a3,checktime=:a4,"
                   "checktime_mmdd=:a5,checktime_hhmm=:a6,delselection=:a7 where rowid=:a8");

std::unique_ptr<store::Statement> prepare(store::Database& db, const QString& dialectSql) {
    return std::make_unique<store::Statement>(db.handle(), store::JetSql::rewrite(dialectSql));
}

// The stored texts of a moment, written digit by digit: formatting through QDateTime
// costs more than the rest of storing a reading.
class MomentTexts {
public:
    explicit MomentTexts(const QDateTime& moment) {
        const QDate date = moment.date();
        const QTime time = moment.time();
        put(date.year(), 4);
        text_ += u'-';
        put(date.month(), 2);
        text_ += u'-';
        put(date.day(), 2);
        text_ += u' ';
        put(time.hour(), 2);
        text_ += u':';
        put(time.minute(), 2);
        text_ += u':';
        put(time.second(), 2);
    }
    // yyyy-MM-dd HH:mm:ss
    const QString& dateTime() const { return text_; }
    // yyyy-MM-dd HH:mm
    QString minute() const { return text_.first(16); }
    QString monthDay() const { return text_.mid(5, 2) + u'/' + text_.mid(8, 2); }
    QString hourMinute() const { return text_.mid(11, 5); }

private:
    void put(int value, int digits) {
        for (int power = digits == 4 ? 1000 : 10; power > 0; power /= 10)
            text_ += QChar(u'0' + value / power % 10);
    }
    QString text_;
};

void bindAll(store::Statement& statement, std::initializer_list<QVariant> values) {
    int index = 0;
    for (const QVariant& value : values)
        statement.bind(++index, value);
}

QVariant pulseOf(const Reading& reading) {
    return reading.pulse ? QVariant(*reading.pulse) : QVariant();
}

// Whether another reading of the person than the row except is stored at the minute.
bool isHeld(store::Statement& held, const QString& person, const QDateTime& moment,
            const MomentTexts& texts, qint64 except) {
    bindAll(held, {person, texts.minute(), MomentTexts(moment.addSecs(60)).minute(), except});
    const bool found = held.step();
    held.reset();
    return found;
}

} // namespace

ReadingWriter::ReadingWriter(store::Database& db, const QString& person)
    : db_(db), person_(person), personKey_(store::NameKeys::fold(person)),
      held_(prepare(db, kHeld)), insert_(prepare(db, kInsert)) {}

ReadingWriter::~ReadingWriter() = default;

bool ReadingWriter::add(const Reading& reading) {
    const QDateTime moment = wallClock(reading.moment);
    const MomentTexts texts(moment);
    if (isHeld(*held_, person_, moment, texts, 0))
        return false;
    bindAll(*insert_,
            {person_, reading.systolic, reading.diastolic, pulseOf(reading), texts.dateTime(),
             texts.monthDay(), texts.hourMinute(), reading.mark ? -1 : 0, personKey_});
    insert_->run();
    insert_->reset();
    return true;
}

bool ReadingWriter::replace(qint64 rowid, const Reading& reading) {
    const QDateTime moment = wallClock(reading.moment);
    const MomentTexts texts(moment);
    if (isHeld(*held_, person_, moment, texts, rowid))
        return false;
    if (!update_)
        update_ = prepare(db_, kUpdate);
    bindAll(*update_, {reading.systolic, reading.diastolic, pulseOf(reading), texts.dateTime(),
                       texts.monthDay(), texts.hourMinute(), reading.mark ? -1 : 0, rowid});
    update_->run();
    update_->reset();
    return true;
}

StoreCounts storeReadings(store::Database& db, const QString& person,
                          const QVector<Reading>& readings) {
    store::Transaction transaction(db);
    ReadingWriter writer(db, person);
    StoreCounts counts;
    for (const Reading& reading : readings)
        ++(writer.add(reading) ? counts.stored : counts.skipped);
    transaction.commit();
    return counts;
}

bool saveReading(store::Database& db, const QString& person, const Reading& reading, qint64 rowid) {
    store::Transaction transaction(db);
    ReadingWriter writer(db, person);
    if (!(rowid == 0 ? writer.add(reading) : writer.replace(rowid, reading)))
        return false;
    transaction.commit();
    return true;
}

} // namespace readings
