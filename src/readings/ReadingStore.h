#pragma once

#include "readings/Reading.h"
#include "store/NameKeys.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QVector>
#include <memory>
#include <vector>

namespace store {
class Database;
class Statement;
} // namespace store

namespace readings {

// Adds one person's readings to bp_record, the columns filled as a save from the monitor
// fills them. A reading of the person at the same minute as one stored already (the
// person's name compared as everywhere in the program) is not stored. The caller holds
// the transaction and calls finish() before its commit.
class ReadingWriter {
public:
    // Reads the minutes of the person's stored readings.
    ReadingWriter(store::Database& db, const QString& person);
    ~ReadingWriter();
    ReadingWriter(const ReadingWriter&) = delete;
    ReadingWriter& operator=(const ReadingWriter&) = delete;

    // True when taken, false when one at the same minute is stored already. Readings are
    // written a few at a time. Throws store::DatabaseError.
    bool add(const Reading& reading);
    // Writes the readings still waiting, and sets the table's insert triggers back, which
    // the writer drops as it brings every key itself. Throws store::DatabaseError.
    void finish();

private:
    struct Pending;
    void flush();

    store::NameKeys::InsertTriggersDropped triggers_;
    QByteArray person_;
    QByteArray personKey_;
    store::Database& db_;
    std::unique_ptr<store::Statement> batchInsert_;
    std::vector<Pending> pending_;
    QSet<qint64> heldMinutes_; // yyyyMMddHHmm
};

struct StoreCounts {
    int stored = 0;
    int skipped = 0; // a reading at the same minute was stored already

    bool operator==(const StoreCounts&) const = default;
};

// Stores checked readings of the person in one transaction: all of them, or on a
// store::DatabaseError (passed on) none.
StoreCounts storeReadings(store::Database& db, const QString& person,
                          const QVector<Reading>& readings);

// Stores one reading of the person in one transaction: a new row when rowid is 0, else
// over the row of that rowid. False, and nothing changed, when another of the person's
// readings is stored at the same minute. Throws store::DatabaseError.
bool saveReading(store::Database& db, const QString& person, const Reading& reading,
                 qint64 rowid = 0);

} // namespace readings
