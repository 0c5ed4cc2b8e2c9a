#include "NameKeys.h"

#include "DatabaseError.h"
#include "Statement.h"

#include <sqlite3.h>

namespace store::NameKeys {

namespace {

bool isAscii(QByteArrayView text) {
    for (char c : text)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// Names are mostly ASCII: those are folded byte by byte.
void foldFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(context);
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArrayView bytes(text, sqlite3_value_bytes(argv[0]));
    const QByteArray folded =
        isAscii(bytes) ? bytes.toByteArray().toLower() : fold(QString::fromUtf8(bytes)).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

void run(sqlite3* db, const QString& sql) {
    Statement(db, sql).run();
}

} // namespace

const QList<KeyedColumn>& keyedColumns() {
    static const QList<KeyedColumn> columns{{"bp_record", "personal"},
                                            {"bp_record_user1", "personal"},
                                            {"bp_record_user2", "personal"},
                                            {"bp_userinfo", "lastname"}};
    return columns;
}

bool isKeyed(QStringView column) {
    for (const KeyedColumn& keyed : keyedColumns())
        if (column.compare(keyed.column, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString fold(QStringView name) {
    return name.toString().toCaseFolded();
}

namespace {

QString forgetKey(const KeyedColumn& keyed) {
    return QStringLiteral("BEGIN UPDATE %1 SET %2 = NULL WHERE rowid = new.rowid; END")
        .arg(keyed.table, keyed.key());
}

// An insert that brings a key is checked as far as plain SQL can: lower() folds ASCII only,
// so a name with other capitals loses the key it brought and is folded again.
QString newKeyTrigger(const KeyedColumn& keyed) {
    return QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1_new_key AFTER INSERT ON %1 "
                          "WHEN new.%2 IS NOT NULL AND new.%2 IS NOT lower(new.%3) %4")
        .arg(keyed.table, keyed.key(), keyed.column, forgetKey(keyed));
}

QString fillKey(const KeyedColumn& keyed) {
    return QStringLiteral("WHEN new.%1 IS NULL BEGIN UPDATE %2 SET %1 = %3(new.%4) "
                          "WHERE rowid = new.rowid; END")
        .arg(keyed.key(), keyed.table, QLatin1String(kFoldFunction), keyed.column);
}

QString keyInsertedTrigger(const KeyedColumn& keyed) {
    return QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS %1_key_inserted AFTER INSERT ON "
                          "main.%1 %2")
        .arg(keyed.table, fillKey(keyed));
}

const KeyedColumn& keyedTable(const QString& table) {
    for (const KeyedColumn& keyed : keyedColumns())
        if (keyed.table == table)
            return keyed;
    throw DatabaseError(QStringLiteral("no keyed table %1").arg(table));
}

} // namespace

QStringList fileTriggers() {
    QStringList triggers;
    for (const KeyedColumn& keyed : keyedColumns())
        triggers << newKeyTrigger(keyed)
                 << QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1_renamed AFTER UPDATE OF %2 "
                                   "ON %1 %3")
                        .arg(keyed.table, keyed.column, forgetKey(keyed));
    return triggers;
}

void registerFold(sqlite3* db) {
    if (sqlite3_create_function_v2(db, kFoldFunction, 1,
                                   SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                   foldFunction, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
}

void keepKeys(sqlite3* db) {
    for (const KeyedColumn& keyed : keyedColumns()) {
        run(db, keyInsertedTrigger(keyed));
        run(db, QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS %1_key AFTER UPDATE OF %2 ON "
                               "main.%1 %3")
                    .arg(keyed.table, keyed.key(), fillKey(keyed)));
    }
}

InsertTriggersDropped::InsertTriggersDropped(sqlite3* db, const QString& table)
    : db_(db), keyed_(keyedTable(table)) {
    run(db_, QStringLiteral("DROP TRIGGER IF EXISTS main.%1_new_key").arg(keyed_.table));
    run(db_, QStringLiteral("DROP TRIGGER IF EXISTS temp.%1_key_inserted").arg(keyed_.table));
}

void InsertTriggersDropped::restore() {
    run(db_, newKeyTrigger(keyed_));
    run(db_, keyInsertedTrigger(keyed_));
}

void fillMissingKeys(sqlite3* db) {
    for (const KeyedColumn& keyed : keyedColumns()) {
        Statement missing(db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1 WHERE %2 IS NULL "
                                             "AND %3 IS NOT NULL)")
                                  .arg(keyed.table, keyed.key(), keyed.column));
        if (missing.step() && missing.at(0).integer())
            run(db, QStringLiteral("UPDATE %1 SET %2 = %3(%4) WHERE %2 IS NULL AND %4 IS NOT NULL")
                        .arg(keyed.table, keyed.key(), QLatin1String(kFoldFunction), keyed.column));
    }
}

} // namespace store::NameKeys
