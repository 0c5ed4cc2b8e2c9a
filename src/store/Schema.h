#pragma once

#include <QLocale>
#include <QStringList>

struct sqlite3;

namespace store::Schema {

// The tables every database of the application holds.
QStringList tableNames();

// The user_version of a file of the current shape.
inline constexpr int kVersion = 2;

// The statement that creates the table in its current shape. Throws DatabaseError for a
// table that is not one of tableNames().
QString createStatement(const QString& table);

// Creates the tables, their indexes and triggers and the option row, and marks the
// shape. Throws DatabaseError.
void createTables(sqlite3* db);

// Creates the indexes and triggers of the tables unless the file has them already; every
// opened file gets them, also one whose triggers another program dropped. Throws
// DatabaseError.
void addIndexes(sqlite3* db);

// Creates a database file at filePath, readable by its owner alone: the tables, the
// option row and the language rows of the seed files in seedDir, in one transaction. It is built
// under a temporary name beside filePath and renamed into place, so a failure leaves no file behind
// and an existing file is never replaced. The first language follows the locale
// (languageForLocale). Throws DatabaseError.
void createFile(const QString& filePath, const QString& seedDir,
                const QLocale& locale = QLocale::system());

// The language_def of a new file: "german" for a German locale, else "default".
QString languageForLocale(const QLocale& locale);

} // namespace store::Schema
