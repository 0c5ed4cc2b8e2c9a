// Feeds arbitrary statements to the SQL dialect's tokenizer and rewriter, and runs what the
// rewriter makes of them on the production schema with the dialect's functions, inside a
// transaction that is rolled back, with bounded work and no access to other files.
#include "store/JetSql.h"
#include "store/JetSqlTokens.h"
#include "store/NameKeys.h"
#include "store/Schema.h"

#include <cstdint>
#include <cstdlib>
#include <sqlite3.h>

namespace {

int onlyThisDatabase(void*, int action, const char*, const char*, const char*, const char*) {
    switch (action) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
    case SQLITE_PRAGMA:
    case SQLITE_TRANSACTION:
    case SQLITE_SAVEPOINT:
        return SQLITE_DENY;
    default:
        return SQLITE_OK;
    }
}

int tooMuchWork(void* steps) {
    return ++*static_cast<int*>(steps) > 200;
}

sqlite3* database() {
    static sqlite3* db = [] {
        sqlite3* opened = nullptr;
        if (sqlite3_open(":memory:", &opened) != SQLITE_OK)
            std::abort();
        store::JetSql::registerFunctions(opened);
        store::NameKeys::registerFold(opened);
        store::Schema::createTables(opened);
        store::NameKeys::keepKeys(opened);
        sqlite3_exec(opened,
                     "INSERT INTO bp_record(personal,systolic,diastolic,heart_beat,checktime,"
                     "checktime_mmdd,checktime_hhmm) VALUES ('Ödön',121,80,64,"
                     "'2011-03-05 07:30:00','03-05','07:30')",
                     nullptr, nullptr, nullptr);
        sqlite3_limit(opened, SQLITE_LIMIT_LENGTH, 100000);
        sqlite3_set_authorizer(opened, onlyThisDatabase, nullptr);
        return opened;
    }();
    return db;
}

void run(sqlite3* db, const QString& sql) {
    const QByteArray utf8 = sql.toUtf8();
    const char* rest = utf8.constData();
    const char* end = rest + utf8.size();
    int steps = 0;
    sqlite3_progress_handler(db, 100, tooMuchWork, &steps);
    for (int statements = 0; rest < end && statements < 4; ++statements) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, rest, int(end - rest), &statement, &rest) != SQLITE_OK)
            break;
        for (int rows = 0; statement && rows < 50 && sqlite3_step(statement) == SQLITE_ROW;
             ++rows) {
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                sqlite3_column_text(statement, c);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString again;
    for (const store::JetSql::Token& token : store::JetSql::tokenize(sql))
        again += token.text;
    if (again != sql)
        std::abort();
    const QString rewritten = store::JetSql::rewrite(sql);
    sqlite3* db = database();
    sqlite3_set_authorizer(db, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_set_authorizer(db, onlyThisDatabase, nullptr);
    run(db, rewritten);
    sqlite3_set_authorizer(db, nullptr, nullptr);
    if (sqlite3_get_autocommit(db) ||
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr) != SQLITE_OK)
        std::abort();
    return 0;
}
