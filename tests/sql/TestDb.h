#pragma once

#include <QString>
#include <string>
#include <vector>

struct sqlite3;

// An in-memory database with the application's schema, text collation and dialect
// functions.
// Every statement goes through JetSql::rewrite first.
class TestDb {
public:
    TestDb();
    ~TestDb();
    TestDb(const TestDb&) = delete;
    TestDb& operator=(const TestDb&) = delete;

    // Runs every statement of the text, as a command would; throws on failure.
    void exec(const QString& dialectSql);
    // Result rows, columns joined by "|", NULL written as "NULL"; :a1 bound to `a1`.
    std::vector<std::string> rows(const QString& dialectSql, const QString& a1 = {});
    // The first column of the only row.
    std::string value(const QString& dialectSql);
    // The engine's message when the statement fails, empty when it succeeds.
    std::string error(const QString& dialectSql);

    void addReading(const QString& table, const QString& personal, int systolic, int diastolic,
                    int heartBeat, const QString& checktime, bool marked = false);
    bool hasTable(const QString& name);

private:
    sqlite3* db_ = nullptr;
};
