#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace store::NameKeys {

// Names compare case-folded in every alphabet: "Müller" is "MÜLLER". Beside each name
// column that is compared, grouped or sorted, a plain text column holds the name
// case-folded, and the program's statements compare those keys (JetSql::rewrite). The
// file names no function or collation of ours, so every SQLite tool can read and write it.
// The column that holds the key of a name column.
inline QString keyOf(const QString& column) {
    return column + QStringLiteral("_key");
}

struct KeyedColumn {
    QString table;
    QString column;
    QString key() const { return keyOf(column); }
};

const QList<KeyedColumn>& keyedColumns();

// Whether a column of that name, in any case, has a key.
bool isKeyed(QStringView column);

// The function of the program's connection that gives a name's key.
inline constexpr char kFoldFunction[] = "foldcase";

// The key of a name.
QString fold(QStringView name);

// Triggers in the file, of plain SQL: a row whose name changes loses its key, and so does
// one inserted with a key that does not fit its name, also when another program writes it.
// A row inserted without a key has none.
QStringList fileTriggers();

// Makes foldcase(text) known to the connection. Throws DatabaseError.
void registerFold(sqlite3* db);

// On the program's connection, which knows foldcase(): gives a row without a key its key
// at once, through triggers of the connection alone, so statements need not name it. A
// bulk insert is quicker when it brings the keys itself. The tables must exist. Throws
// DatabaseError.
void keepKeys(sqlite3* db);

// For a bulk insert that brings every key itself, through fold(): inside an open
// transaction, drops the table's insert triggers, which cost more than the insert.
// restore() makes them again and must come before the commit; a rollback brings them back
// by itself. Throws DatabaseError.
class InsertTriggersDropped {
public:
    InsertTriggersDropped(sqlite3* db, const QString& table);
    void restore();

private:
    sqlite3* db_;
    KeyedColumn keyed_;
};

// Gives the rows that another program wrote their keys. Throws DatabaseError.
void fillMissingKeys(sqlite3* db);

} // namespace store::NameKeys
