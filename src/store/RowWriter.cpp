#include "RowWriter.h"

#include "DatabaseError.h"
#include "Statement.h"

#include <sqlite3.h>

namespace store {

namespace {

QString identifier(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(u'"', QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

} // namespace

RowWriter::RowWriter(sqlite3* db, const QString& table, const QStringList& columns)
    : db_(db), table_(identifier(table)), columns_(columns) {}

QString RowWriter::column(qsizetype index) const {
    return identifier(columns_[index]);
}

qint64 RowWriter::insert(const QVariantList& values, const QList<bool>& assigned) const {
    QStringList names;
    QStringList marks;
    QVariantList bound;
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (!assigned[i])
            continue;
        names << column(i);
        marks << QStringLiteral("?");
        bound << values[i];
    }
    Statement insert(db_, names.isEmpty()
                              ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table_)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(table_, names.join(u", "), marks.join(u", ")));
    for (qsizetype i = 0; i < bound.size(); ++i)
        insert.bind(int(i + 1), bound[i]);
    insert.run();
    return sqlite3_last_insert_rowid(db_);
}

void RowWriter::update(qint64 rowid, const QVariantList& values, const QList<bool>& changed) const {
    QStringList assignments;
    QVariantList bound;
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        if (!changed[i])
            continue;
        assignments << column(i) + QStringLiteral(" = ?");
        bound << values[i];
    }
    if (assignments.isEmpty())
        return;
    Statement update(
        db_,
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table_, assignments.join(u", ")));
    for (qsizetype i = 0; i < bound.size(); ++i)
        update.bind(int(i + 1), bound[i]);
    update.bind(int(bound.size() + 1), rowid);
    update.run();
    if (sqlite3_changes(db_) == 0)
        throw DatabaseError(QStringLiteral("the row to update no longer exists in %1").arg(table_));
}

void RowWriter::remove(qint64 rowid) const {
    Statement remove(db_, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table_));
    remove.bind(1, rowid);
    remove.run();
}

QVariantList RowWriter::read(qint64 rowid) const {
    QStringList names;
    for (qsizetype i = 0; i < columns_.size(); ++i)
        names << column(i);
    Statement select(
        db_, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(names.join(u", "), table_));
    select.bind(1, rowid);
    QVariantList values;
    if (select.step()) {
        for (qsizetype i = 0; i < columns_.size(); ++i)
            values << select.column(int(i));
    }
    return values;
}

} // namespace store
