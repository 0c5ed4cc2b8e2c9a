#pragma once

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

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
    QVariant column(int index) const;      // by storage class; NULL as QVariant()
    bool isInteger(int index) const;       // the value's storage class is INTEGER
    qint64 integer(int index) const;
    // The same, but a text equal to previous's returns previous, sharing its storage:
    // a column that repeats one text over many rows is then held once.
    QVariant column(int index, const QVariant& previous) const;

private:
    [[noreturn]] void fail() const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// Runs SQL text that may hold several statements, without rewriting; for fixed texts.
void executeScript(sqlite3* db, const char* sql);

} // namespace store
