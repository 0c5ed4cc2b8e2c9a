#include "Schema.h"

#include "Connection.h"
#include "DatabaseError.h"
#include "LanguageSeed.h"
#include "ReadingColumns.h"
#include "Statement.h"
#include "TextCollation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <sqlite3.h>

namespace store::Schema {

namespace {

// The tables beside the readings tables (ReadingColumns). Text compares case-folded
// (TextCollation); booleans are 0, and -1 for true as the original engine stores it;
// date/time is text 'YYYY-MM-DD HH:MM:SS'. Rows are addressed by the implicit rowid.
// Language texts default to empty text.
constexpr const char* kSchema = R"sql(
CREATE TABLE bp_userinfo (
    id              INTEGER,
    delselection    BOOLEAN NOT NULL DEFAULT 0,
    lastname        TEXT COLLATE FOLDCASE,
    firstname       TEXT COLLATE FOLDCASE,
    address1        TEXT COLLATE FOLDCASE,
    country         TEXT COLLATE FOLDCASE,
    city            TEXT COLLATE FOLDCASE,
    state           TEXT COLLATE FOLDCASE,
    zip             TEXT COLLATE FOLDCASE,
    phone           TEXT COLLATE FOLDCASE,
    email           TEXT COLLATE FOLDCASE,
    birthday        DATETIME,
    gender          TEXT COLLATE FOLDCASE,
    height          TEXT COLLATE FOLDCASE,
    weight          TEXT COLLATE FOLDCASE,
    smoker          BOOLEAN NOT NULL DEFAULT 0,
    alcohol         BOOLEAN NOT NULL DEFAULT 0,
    overweight      BOOLEAN NOT NULL DEFAULT 0,
    cholesterol_inc BOOLEAN NOT NULL DEFAULT 0,
    sodium_chloride BOOLEAN NOT NULL DEFAULT 0,
    exercise        BOOLEAN NOT NULL DEFAULT 0,
    sugar_increased BOOLEAN NOT NULL DEFAULT 0,
    diabetic        BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE bp_option (
    language_def TEXT COLLATE FOLDCASE
);

CREATE TABLE bp_language (
    formname        TEXT COLLATE FOLDCASE DEFAULT '',
    "group"         TEXT COLLATE FOLDCASE DEFAULT '',
    component       TEXT COLLATE FOLDCASE DEFAULT '',
    component_index INTEGER,
    showtext        TEXT COLLATE FOLDCASE DEFAULT '',
    show_english    TEXT COLLATE FOLDCASE DEFAULT '',
    show_german     TEXT COLLATE FOLDCASE DEFAULT '',
    show_font       TEXT COLLATE FOLDCASE DEFAULT '',
    show_width      INTEGER,
    fieldname       TEXT COLLATE FOLDCASE DEFAULT '',
    show            BOOLEAN NOT NULL DEFAULT 0
);

INSERT INTO bp_option (language_def) VALUES ('default');
)sql";

// A person's readings in time order, for the Data page's list and analyses.
constexpr const char* kIndexes = R"sql(
CREATE INDEX IF NOT EXISTS bp_record_personal_checktime
    ON bp_record (personal, checktime, delselection);
)sql";

} // namespace

QStringList tableNames() {
    return {"bp_record",   "bp_record_user1", "bp_record_user2",
            "bp_userinfo", "bp_option",       "bp_language"};
}

void createTables(sqlite3* db) {
    const std::pair<const char*, ReadingTable> readings[] = {
        {"bp_record", ReadingTable::Saved},
        {"bp_record_user1", ReadingTable::Memory},
        {"bp_record_user2", ReadingTable::Memory}};
    for (const auto& [name, shape] : readings)
        executeScript(db, createReadingTable(name, shape).toUtf8().constData());
    executeScript(db, kSchema);
}

void addIndexes(sqlite3* db) {
    executeScript(db, kIndexes);
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
        {
            const Connection db = connect(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
            registerTextCollation(db.get());
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
