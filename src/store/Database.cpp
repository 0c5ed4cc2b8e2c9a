#include "Database.h"

#include "CleanClose.h"
#include "Connection.h"
#include "DatabaseError.h"
#include "JetSql.h"
#include "NameKeys.h"
#include "Schema.h"
#include "SchemaUpgrade.h"
#include "Statement.h"
#include "TextCollation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int kBusyTimeoutMs = 5000;
const QString kSeedDir = QStringLiteral(":/seed");

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

bool hasSqliteHeader(const QString& path) {
    static const QByteArray header("SQLite format 3\0", 16);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(header.size()) == header;
}

bool locked(sqlite3* db) {
    const int code = sqlite3_errcode(db);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

DatabaseError inUse(const QString& filePath) {
    return DatabaseError(QStringLiteral("The database file %1 is in use by another program. "
                                        "Close that program and start again.")
                             .arg(native(filePath)));
}

DatabaseError damaged(const QString& filePath, const QString& problem) {
    return DatabaseError(
        QStringLiteral("The database file %1 is damaged: %2").arg(native(filePath), problem));
}

void checkTables(sqlite3* db, const QString& filePath) {
    QStringList present;
    try {
        Statement tables(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        while (tables.step())
            present << tables.column(0).toString().toLower();
    } catch (const DatabaseError& error) {
        if (locked(db))
            throw inUse(filePath);
        if (sqlite3_errcode(db) == SQLITE_CORRUPT)
            throw damaged(filePath, error.message());
        throw DatabaseError(QStringLiteral("The file %1 is not a usable SQLite database: %2")
                                .arg(native(filePath), error.message()));
    }
    for (const QString& table : Schema::tableNames()) {
        if (!present.contains(table))
            throw DatabaseError(QStringLiteral("The database file %1 has no table %2.")
                                    .arg(native(filePath), table));
    }
}

// A rollback journal beside the file, synced at every commit: a write that is cut off, even
// by a killed process or a power loss, is rolled back at the next open. The file alone
// always holds every committed reading, so copying tonvi.mdb copies all of them. A program
// that holds the file for writing is found here, before anything is changed.
void takeJournal(sqlite3* db, const QString& filePath) {
    try {
        executeScript(db, "PRAGMA synchronous = FULL; PRAGMA journal_mode = DELETE; "
                          "BEGIN IMMEDIATE; ROLLBACK");
    } catch (const DatabaseError& error) {
        if (locked(db))
            throw inUse(filePath);
        throw DatabaseError(QStringLiteral("The database file %1 cannot be opened: %2")
                                .arg(native(filePath), error.message()));
    }
}

// Every page is read before anything is written, so a damaged file is refused unchanged
// instead of being written into.
void checkPages(sqlite3* db, const QString& filePath) {
    QString problem;
    try {
        Statement check(db, QStringLiteral("PRAGMA quick_check(1)"));
        if (check.step())
            problem = check.column(0).toString();
    } catch (const DatabaseError& error) {
        problem = error.message();
    }
    if (problem != QLatin1String("ok"))
        throw DatabaseError(
            QStringLiteral("The database file %1 is damaged: %2").arg(native(filePath), problem));
}

} // namespace

Database::~Database() {
    close();
}

void Database::close() {
    if (db_ && sqlite3_close(db_) == SQLITE_OK)
        CleanClose(filePath_).record();
    db_ = nullptr;
}

void Database::open(const QString& filePath, const FileAccess& access) {
    close();
    if (!QFileInfo::exists(filePath))
        Schema::createFile(filePath, kSeedDir);
    checkExistingFile(filePath, access);
    // A file without the header is refused before SQLite touches it.
    if (!hasSqliteHeader(filePath))
        throw DatabaseError(
            QStringLiteral("The file %1 is not an SQLite database.").arg(native(filePath)));
    Connection db;
    try {
        // One thread uses the connection: no locking on every call.
        db = connect(filePath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
    } catch (const DatabaseError& error) {
        throw DatabaseError(QStringLiteral("The database file %1 cannot be opened: %2")
                                .arg(native(filePath), error.message()));
    }
    sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
    checkTables(db.get(), filePath);
    takeJournal(db.get(), filePath);
    registerTextCollation(db.get());
    JetSql::registerFunctions(db.get());
    NameKeys::registerFold(db.get());
    // A file this program closed, unchanged since, needs no page check: the check reads
    // the whole file and would grow the start with the data.
    const CleanClose cleanClose(filePath);
    if (!cleanClose.matches())
        checkPages(db.get(), filePath);
    cleanClose.forget();
    try {
        SchemaUpgrade::convertEarlierFile(db.get());
    } catch (const DatabaseError& error) {
        throw DatabaseError(
            QStringLiteral("The database file %1 was written by an earlier version and cannot be "
                           "converted; it was left unchanged: %2")
                .arg(native(filePath), error.message()));
    }
    try {
        Schema::addIndexes(db.get());
        NameKeys::keepKeys(db.get());
        NameKeys::fillMissingKeys(db.get());
    } catch (const DatabaseError& error) {
        throw DatabaseError(QStringLiteral("The database file %1 cannot be opened: %2")
                                .arg(native(filePath), error.message()));
    }
    db_ = db.release();
    filePath_ = filePath;
}

void Database::execute(const QString& dialectSql) {
    if (!db_)
        throw DatabaseError(QStringLiteral("The database is not open."));
    Statement(db_, JetSql::rewrite(dialectSql)).run();
}

Transaction::Transaction(Database& db)
    : db_(db), name_(QStringLiteral("tx%1").arg(quintptr(this), 0, 16)) {
    if (!db_.isOpen())
        throw DatabaseError(QStringLiteral("The database is not open."));
    executeScript(db_.handle(), ("SAVEPOINT " + name_).toUtf8().constData());
}

Transaction::~Transaction() {
    if (done_)
        return;
    try {
        executeScript(db_.handle(),
                      ("ROLLBACK TO " + name_ + "; RELEASE " + name_).toUtf8().constData());
    } catch (const DatabaseError&) {
        // Nothing more can be done while unwinding.
    }
}

void Transaction::commit() {
    if (done_)
        return;
    executeScript(db_.handle(), ("RELEASE " + name_).toUtf8().constData());
    done_ = true;
}

QString quoted(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

} // namespace store
