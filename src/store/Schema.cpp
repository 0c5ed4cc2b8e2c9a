#include "Schema.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "LanguageSeed.h"
#include "NameKeys.h"
#include "PrivateFiles.h"
#include "ReadingColumns.h"
#include "Statement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <sqlite3.h>

namespace store::Schema {

namespace {

// The tables beside the readings tables (ReadingColumns). Text compares without regard
// to ASCII case (SQLite's NOCASE), names by their keys (NameKeys); booleans are 0, and -1
// for true as the original engine stores it; date/time is text 'YYYY-MM-DD HH:MM:SS'.
// Rows are addressed by the implicit rowid. Language texts default to empty text.
const QList<std::pair<QString, QString>>& otherTables() {
    static const QList<std::pair<QString, QString>> tables{
        {"bp_userinfo", R"sql(CREATE TABLE bp_userinfo (
    id              INTEGER,
    delselection    BOOLEAN NOT NULL DEFAULT 0,
    lastname        TEXT COLLATE NOCASE,
    firstname       TEXT COLLATE NOCASE,
    address1        TEXT COLLATE NOCASE,
    country         TEXT COLLATE NOCASE,
    city            TEXT COLLATE NOCASE,
    state           TEXT COLLATE NOCASE,
    zip             TEXT COLLATE NOCASE,
    phone           TEXT COLLATE NOCASE,
    email           TEXT COLLATE NOCASE,
    birthday        DATETIME,
    gender          TEXT COLLATE NOCASE,
    height          TEXT COLLATE NOCASE,
    weight          TEXT COLLATE NOCASE,
    smoker          BOOLEAN NOT NULL DEFAULT 0,
    alcohol         BOOLEAN NOT NULL DEFAULT 0,
    overweight      BOOLEAN NOT NULL DEFAULT 0,
    cholesterol_inc BOOLEAN NOT NULL DEFAULT 0,
    sodium_chloride BOOLEAN NOT NULL DEFAULT 0,
    exercise        BOOLEAN NOT NULL DEFAULT 0,
    sugar_increased BOOLEAN NOT NULL DEFAULT 0,
    diabetic        BOOLEAN NOT NULL DEFAULT 0,
    lastname_key    TEXT
))sql"},
        {"bp_option", R"sql(CREATE TABLE bp_option (
    language_def TEXT COLLATE NOCASE
))sql"},
        {"bp_language", R"sql(CREATE TABLE bp_language (
    formname        TEXT COLLATE NOCASE DEFAULT '',
    "group"         TEXT COLLATE NOCASE DEFAULT '',
    component       TEXT COLLATE NOCASE DEFAULT '',
    component_index INTEGER,
    showtext        TEXT COLLATE NOCASE DEFAULT '',
    show_english    TEXT COLLATE NOCASE DEFAULT '',
    show_german     TEXT COLLATE NOCASE DEFAULT '',
    show_font       TEXT COLLATE NOCASE DEFAULT '',
    show_width      INTEGER,
    fieldname       TEXT COLLATE NOCASE DEFAULT '',
    show            BOOLEAN NOT NULL DEFAULT 0
))sql"}};
    return tables;
}

// A person's readings in time order, for the Data page's list and analyses.
constexpr const char* kIndexes = R"sql(
CREATE INDEX IF NOT EXISTS bp_record_personal_key
    ON bp_record (personal_key, checktime, delselection);
)sql";

void run(sqlite3* db, const QString& sql) {
    Statement(db, sql).run();
}

// An empty file only its owner may read and write, whatever the umask. SQLite gives its
// journal the same mode.
void createPrivately(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        !file.setPermissions(privateFileMode))
        throw DatabaseError(file.errorString());
}

} // namespace

QStringList tableNames() {
    return {"bp_record",   "bp_record_user1", "bp_record_user2",
            "bp_userinfo", "bp_option",       "bp_language"};
}

QString createStatement(const QString& table) {
    if (table == QLatin1String("bp_record"))
        return createReadingTable(table, ReadingTable::Saved);
    if (table.startsWith(QLatin1String("bp_record_user")))
        return createReadingTable(table, ReadingTable::Memory);
    for (const auto& [name, sql] : otherTables())
        if (name == table)
            return sql;
    throw DatabaseError(QStringLiteral("no table %1 in the schema").arg(table));
}

void createTables(sqlite3* db) {
    for (const QString& table : tableNames())
        run(db, createStatement(table));
    run(db, QStringLiteral("INSERT INTO bp_option (language_def) VALUES ('default')"));
    addIndexes(db);
    run(db, QStringLiteral("PRAGMA user_version = %1").arg(kVersion));
}

void addIndexes(sqlite3* db) {
    executeScript(db, kIndexes);
    for (const QString& trigger : NameKeys::fileTriggers())
        run(db, trigger);
}

QString languageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::German ? QStringLiteral("german")
                                                : QStringLiteral("default");
}

void createFile(const QString& filePath, const QString& seedDir, const QLocale& locale) {
    const QFileInfo info(filePath);
    const QDir dir = info.absoluteDir();
    const QString path = QDir::toNativeSeparators(filePath);
    if (!dir.exists())
        throw DatabaseError(
            QStringLiteral("The database file %1 cannot be created: the directory %2 does not "
                           "exist.")
                .arg(path, QDir::toNativeSeparators(dir.path())));
    if (!QFileInfo(dir.path()).isWritable())
        throw DatabaseError(
            QStringLiteral("The database file %1 cannot be created: the directory %2 is not "
                           "writable.")
                .arg(path, QDir::toNativeSeparators(dir.path())));
    const QString temp =
        dir.filePath(QStringLiteral(".%1.%2.new")
                         .arg(info.fileName())
                         .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    try {
        createPrivately(temp);
        {
            const Connection db = connect(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            executeScript(db.get(), "BEGIN");
            createTables(db.get());
            LanguageSeed::loadAll(db.get(), seedDir);
            const QByteArray language = languageForLocale(locale).toLatin1();
            executeScript(db.get(),
                          ("UPDATE bp_option SET language_def='" + language + "'").constData());
            executeScript(db.get(), "COMMIT");
        }
        if (!QFile::rename(temp, filePath))
            throw DatabaseError(QStringLiteral("the new file could not be renamed into place"));
    } catch (const DatabaseError& error) {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
        throw DatabaseError(QStringLiteral("The database file %1 cannot be created: %2")
                                .arg(path, error.message()));
    }
}

} // namespace store::Schema
