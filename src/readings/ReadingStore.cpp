#include "readings/ReadingStore.h"

#include "store/Database.h"
#include "store/JetSql.h"
#include "store/Statement.h"

namespace readings {

namespace {

// Stored moments are text 'yyyy-MM-dd HH:mm:ss', so the minute's readings lie between
// its text without seconds and the next minute's. A new reading excepts rowid 0, which
// no row has.
const QString kHeld =
    QStringLiteral("select 1 from bp_record where personal=:a1 and checktime>=:a2 and "
                   "checktime<:a3 and rowid<>:a4 limit 1");
const QString kHeldMoments = QStringLiteral("select checktime from bp_record where personal=:a1");
constexpr int kInsertColumns = 9;
// Rows inserted by one statement: each statement costs about as much as a row.
constexpr int kBatch = 16;

// Inserts rows of the columns below; the name key comes along, so the connection need not
// fill it row by row.
QString insertSql(int rows) {
    QStringList values;
    for (int row = 0; row < rows; ++row) {
        QStringList parameters;
        for (int column = 1; column <= kInsertColumns; ++column)
            parameters << QStringLiteral(":a%1").arg(row * kInsertColumns + column);
        values << u'(' + parameters.join(u',') + u')';
    }
    return QStringLiteral("insert into bp_record(personal,systolic,diastolic,heart_beat,checktime,"
                          "checktime_mmdd,checktime_hhmm,delselection,personal_key) values ") +
           values.join(u',');
}
const QString kUpdate =
    QStringLiteral("update bp_record set systolic=:a1,diastolic=:a2,heart_beat=:a3,checktime=:a4,"
                   "checktime_mmdd=:a5,checktime_hhmm=:a6,delselection=:a7 where rowid=:a8");

std::unique_ptr<store::Statement> prepare(store::Database& db, const QString& dialectSql) {
    return std::make_unique<store::Statement>(db.handle(), store::JetSql::rewrite(dialectSql));
}

// The minute of a stored moment 'yyyy-MM-dd HH:mm...' as the number yyyyMMddHHmm; none
// for a text of another shape.
std::optional<qint64> minuteOf(QByteArrayView text) {
    static constexpr char kShape[] = "0000-00-00 00:00";
    constexpr qsizetype kLength = sizeof(kShape) - 1;
    if (text.size() < kLength)
        return std::nullopt;
    qint64 minute = 0;
    for (qsizetype i = 0; i < kLength; ++i) {
        const char c = text[i];
        if (kShape[i] != '0') {
            if (c != kShape[i])
                return std::nullopt;
        } else if (c >= '0' && c <= '9') {
            minute = minute * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    return minute;
}

// The stored texts of a moment, written digit by digit: formatting through QDateTime
// costs more than the rest of storing a reading.
class MomentTexts {
public:
    explicit MomentTexts(const QDateTime& moment) {
        const QDate date = moment.date();
        const QTime time = moment.time();
        char* at = text_;
        at = put(at, date.year(), 4, '-');
        at = put(at, date.month(), 2, '-');
        at = put(at, date.day(), 2, ' ');
        at = put(at, time.hour(), 2, ':');
        at = put(at, time.minute(), 2, ':');
        put(at, time.second(), 2, '\0');
        put(put(monthDay_, date.month(), 2, '/'), date.day(), 2, '\0');
    }
    // yyyy-MM-dd HH:mm:ss
    QByteArrayView dateTime() const { return QByteArrayView(text_, 19); }
    // yyyy-MM-dd HH:mm
    QString minuteText() const { return QString::fromLatin1(text_, 16); }
    qint64 minute() const { return *minuteOf(dateTime()); }
    QByteArrayView monthDay() const { return QByteArrayView(monthDay_, 5); }
    QByteArrayView hourMinute() const { return QByteArrayView(text_ + 11, 5); }

private:
    static char* put(char* at, int value, int digits, char after) {
        for (int power = digits == 4 ? 1000 : 10; power > 0; power /= 10)
            *at++ = char('0' + value / power % 10);
        *at = after;
        return at + 1;
    }
    char text_[20];
    char monthDay_[6];
};

// Binds the reading's columns from the first position on, in the order systolic,
// diastolic, pulse, moment, day, time, mark.
void bindReading(store::Statement& statement, int first, const Reading& reading,
                 const MomentTexts& texts) {
    statement.bindInteger(first, reading.systolic);
    statement.bindInteger(first + 1, reading.diastolic);
    if (reading.pulse)
        statement.bindInteger(first + 2, *reading.pulse);
    else
        statement.bindNull(first + 2);
    statement.bindText(first + 3, texts.dateTime());
    statement.bindText(first + 4, texts.monthDay());
    statement.bindText(first + 5, texts.hourMinute());
    statement.bindInteger(first + 6, reading.mark ? -1 : 0);
}

// Whether another reading of the person than the row except is stored at the minute.
bool isHeld(store::Database& db, const QString& person, const Reading& reading,
            const MomentTexts& texts, qint64 except) {
    const auto held = prepare(db, kHeld);
    held->bind(1, person);
    held->bind(2, texts.minuteText());
    held->bind(3, MomentTexts(wallClock(reading.moment).addSecs(60)).minuteText());
    held->bindInteger(4, except);
    return held->step();
}

// Binds one row of an insert, the first of its parameters at first.
void bindRow(store::Statement& insert, int first, QByteArrayView person, QByteArrayView personKey,
             const Reading& reading, const MomentTexts& texts) {
    insert.bindText(first, person);
    bindReading(insert, first + 1, reading, texts);
    insert.bindText(first + kInsertColumns - 1, personKey);
}

} // namespace

struct ReadingWriter::Pending {
    Reading reading;
    MomentTexts texts;
};

ReadingWriter::ReadingWriter(store::Database& db, const QString& person)
    : triggers_(db.handle(), QStringLiteral("bp_record")), person_(person.toUtf8()),
      personKey_(store::NameKeys::fold(person).toUtf8()), db_(db),
      batchInsert_(prepare(db, insertSql(kBatch))) {
    pending_.reserve(kBatch); // bound texts point into it
    const auto moments = prepare(db, kHeldMoments);
    moments->bindText(1, person_);
    while (moments->step())
        if (const auto minute = minuteOf(moments->at(0).text()))
            heldMinutes_.insert(*minute);
}

ReadingWriter::~ReadingWriter() = default;

bool ReadingWriter::add(const Reading& reading) {
    const MomentTexts texts(reading.moment);
    if (heldMinutes_.contains(texts.minute()))
        return false;
    heldMinutes_.insert(texts.minute());
    pending_.push_back({reading, texts});
    if (pending_.size() == kBatch)
        flush();
    return true;
}

void ReadingWriter::flush() {
    if (pending_.empty())
        return;
    const bool full = pending_.size() == kBatch;
    const auto tail = full ? nullptr : prepare(db_, insertSql(int(pending_.size())));
    store::Statement& insert = full ? *batchInsert_ : *tail;
    for (std::size_t row = 0; row < pending_.size(); ++row)
        bindRow(insert, int(row) * kInsertColumns + 1, person_, personKey_, pending_[row].reading,
                pending_[row].texts);
    insert.run();
    insert.reset();
    pending_.clear();
}

void ReadingWriter::finish() {
    flush();
    triggers_.restore();
}

StoreCounts storeReadings(store::Database& db, const QString& person,
                          const QVector<Reading>& readings) {
    store::Transaction transaction(db);
    ReadingWriter writer(db, person);
    StoreCounts counts;
    for (const Reading& reading : readings)
        ++(writer.add(reading) ? counts.stored : counts.skipped);
    writer.finish();
    transaction.commit();
    return counts;
}

bool saveReading(store::Database& db, const QString& person, const Reading& reading, qint64 rowid) {
    store::Transaction transaction(db);
    const MomentTexts texts(reading.moment);
    if (isHeld(db, person, reading, texts, rowid))
        return false;
    if (rowid == 0) {
        const QByteArray name = person.toUtf8(), key = store::NameKeys::fold(person).toUtf8();
        const auto insert = prepare(db, insertSql(1));
        bindRow(*insert, 1, name, key, reading, texts); // bound, not copied
        insert->run();
    } else {
        const auto update = prepare(db, kUpdate);
        bindReading(*update, 1, reading, texts);
        update->bindInteger(8, rowid);
        update->run();
    }
    transaction.commit();
    return true;
}

} // namespace readings
