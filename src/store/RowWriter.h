#pragma once

#include <QList>
#include <QStringList>
#include <QVariantList>

struct sqlite3;

namespace store {

// Writes single rows of one table, addressed by rowid. Values are in storage form
// (FieldValue::toStorage), one per column of the writer.
class RowWriter {
public:
    RowWriter(sqlite3* db, const QString& table, const QStringList& columns);

    // Inserts the columns marked in assigned; returns the new rowid.
    qint64 insert(const QVariantList& values, const QList<bool>& assigned) const;
    // Throws DatabaseError when the row no longer exists.
    void update(qint64 rowid, const QVariantList& values, const QList<bool>& changed) const;
    void remove(qint64 rowid) const;
    // The row's stored values, as written by the database (defaults included).
    QVariantList read(qint64 rowid) const;

private:
    QString column(qsizetype index) const;

    sqlite3* db_;
    QString table_;
    QStringList columns_;
};

} // namespace store
