#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace store {

enum class StorageClass { Integer, Float, Text, Blob, Null };

// One column of the current row, fetched from SQLite with a single call and valid until
// the statement steps on. The statement's connection is used by one thread only.
class ColumnValue {
public:
    explicit ColumnValue(sqlite3_value* value) : value_(value) {}

    StorageClass storageClass() const;
    qint64 integer() const;
    QByteArrayView text() const; // UTF-8; a number is converted to its text
    QVariant toVariant() const;  // by storage class; NULL as QVariant()

private:
    sqlite3_value* value_;
};

// One prepared SQLite statement. The text must hold exactly one statement; it is
// handed to SQLite as given (callers rewrite dialect text first).
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds by 1-based position; QVariant() binds NULL.
    void bind(int index, const QVariant& value);
    // Typed binds, for statements run many times over.
    void bindInteger(int index, qint64 value);
    void bindText(int index, QByteArrayView utf8); // not copied: kept until reset()
    void bindNull(int index);
    int parameterCount() const;
    QString parameterName(int index) const; // without the leading ':'

    bool step();  // true while a row is ready, false when done
    void run();   // steps to completion, ignoring rows
    void reset(); // ready to run again with new bindings

    int columnCount() const;
    QString columnName(int index) const;
    QString declaredType(int index) const;
    QString originTable(int index) const;  // empty for expressions
    QString originColumn(int index) const; // empty for expressions
    ColumnValue at(int index) const;
    QVariant column(int index) const { return at(index).toVariant(); }

private:
    [[noreturn]] void fail() const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs SQL text that may hold several statements, without rewriting; for fixed texts.
void executeScript(sqlite3* db, const char* sql);

} // namespace store
