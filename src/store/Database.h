#pragma once

#include "FileAccess.h"

#include <QString>
#include <QVariant>

struct sqlite3;

namespace store {

// The one connection to tonvi.mdb. Every statement handed to it is written in the
// original dialect and goes through JetSql::rewrite before SQLite sees it.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file, creating it with schema and seed rows when it is missing; a file
    // of an earlier build is converted first (SchemaUpgrade).
    // Throws DatabaseError when the file is not a usable SQLite database, cannot be
    // read, cannot be converted, or lies in a directory that cannot be written; the file
    // is never changed then.
    // access answers the file-system questions (tests replace it).
    void open(const QString& filePath, const FileAccess& access = FileAccess::system());
    bool isOpen() const { return db_ != nullptr; }

    // Runs one statement that returns no rows.
    void execute(const QString& dialectSql);

    sqlite3* handle() const { return db_; }

    // Notes a clean close beside the file (CleanClose). The destructor closes, too.
    void close();

private:
    sqlite3* db_ = nullptr;
    QString filePath_;
};

// Writes that belong together: a savepoint that is released by commit() and rolled
// back when the object dies uncommitted. Nests.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    QString name_;
    bool done_ = false;
};

// A text value as a quoted literal, each embedded quote doubled: O'Brien -> 'O''Brien'.
QString quoted(const QString& text);

} // namespace store
