#include "TestDb.h"

#include "store/JetSql.h"
#include "store/NameKeys.h"
#include "store/Schema.h"

#include <sqlite3.h>
#include <stdexcept>

TestDb::TestDb() {
    sqlite3_open(":memory:", &db_);
    store::JetSql::registerFunctions(db_);
    store::NameKeys::registerFold(db_);
    store::Schema::createTables(db_);
    store::NameKeys::keepKeys(db_);
}

TestDb::~TestDb() {
    sqlite3_close(db_);
}

void TestDb::exec(const QString& dialectSql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, store::JetSql::rewrite(dialectSql).toUtf8().constData(), nullptr, nullptr,
                     &message) != SQLITE_OK) {
        const std::string text = message;
        sqlite3_free(message);
        throw std::runtime_error(text + " in: " + dialectSql.toStdString());
    }
}

std::vector<std::string> TestDb::rows(const QString& dialectSql, const QString& a1) {
    const QByteArray sql = store::JetSql::rewrite(dialectSql).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db_) + (" in: " + sql.toStdString()));
    }
    if (const int index = sqlite3_bind_parameter_index(stmt, ":a1")) {
        sqlite3_bind_text(stmt, index, a1.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    std::vector<std::string> result;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            row += (i ? "|" : "") + std::string(text ? text : "NULL");
        }
        result.push_back(row);
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        throw std::runtime_error(sqlite3_errmsg(db_) + (" in: " + sql.toStdString()));
    }
    return result;
}

std::string TestDb::value(const QString& dialectSql) {
    const std::vector<std::string> result = rows(dialectSql);
    if (result.size() != 1) {
        throw std::runtime_error("not one row: " + dialectSql.toStdString());
    }
    return result.front();
}

std::string TestDb::error(const QString& dialectSql) {
    try {
        rows(dialectSql);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return {};
}

void TestDb::addReading(const QString& table, const QString& personal, int systolic, int diastolic,
                        int heartBeat, const QString& checktime, bool marked) {
    const QString sql = QStringLiteral("insert into %1(personal,systolic,diastolic,heart_beat,"
                                       "checktime,checktime_mmdd,checktime_hhmm) values(?,?,?,?,?,"
                                       "substr(?5,6,2)||'/'||substr(?5,9,2),substr(?5,12,5))")
                            .arg(table);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr);
    sqlite3_bind_text(stmt, 1, personal.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(stmt, 2, systolic);
    sqlite3_bind_int(stmt, 3, diastolic);
    sqlite3_bind_int(stmt, 4, heartBeat);
    sqlite3_bind_text(stmt, 5, checktime.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        throw std::runtime_error(sqlite3_errmsg(db_));
    }
    if (marked) {
        sqlite3_exec(db_, "update bp_record set delselection=-1 where rowid=last_insert_rowid()",
                     nullptr, nullptr, nullptr);
    }
}

bool TestDb::hasTable(const QString& name) {
    return value("select count(*) from sqlite_master where type='table' and name='" + name + "'") ==
           "1";
}
