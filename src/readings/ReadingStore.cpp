#include "readings/ReadingStore.h"

#include "store/Database.h"
#include "store/JetSql.h"
#include "store/NameKeys.h"
#include "store/Statement.h"

namespace readings {

namespace {

// Stored moments are text 'yyyy-MM-dd HH:mm:ss', so the minute's readings lie between
// its text without seconds and the next minute's.
const QString kHeld = QStringLiteral(
    "select 1 from bp_record where personal=:a1 and checktime>=:a2 and checktime<:a3 limit 1");
// The name key comes along, so the connection need not fill it row by row.
const QString kInsert = QStringLiteral(
    "insert into bp_record(personal,systolic,diastolic,heart_beat,checktime,checktime_mmdd,"
    "checktime_hhmm,delselection,personal_key) values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9)");

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

} // namespace

ReadingWriter::ReadingWriter(store::Database& db, const QString& person)
    : person_(person), personKey_(store::NameKeys::fold(person)), held_(prepare(db, kHeld)),
      insert_(prepare(db, kInsert)) {}

ReadingWriter::~ReadingWriter() = default;

bool ReadingWriter::add(const Reading& reading) {
    const QDateTime moment = wallClock(reading.moment);
    const MomentTexts texts(moment);
    const MomentTexts next(moment.addSecs(60));
    held_->bind(1, person_);
    held_->bind(2, texts.minute());
    held_->bind(3, next.minute());
    const bool held = held_->step();
    held_->reset();
    if (held)
        return false;
    const QVariant values[] = {person_,
                               reading.systolic,
                               reading.diastolic,
                               reading.pulse ? QVariant(*reading.pulse) : QVariant(),
                               texts.dateTime(),
                               texts.monthDay(),
                               texts.hourMinute(),
                               reading.mark ? -1 : 0,
                               personKey_};
    for (int index = 0; index < int(std::size(values)); ++index)
        insert_->bind(index + 1, values[index]);
    insert_->run();
    insert_->reset();
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

} // namespace readings
