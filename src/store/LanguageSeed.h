#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

struct sqlite3;

namespace store::LanguageSeed {

// The rows of one seed file: the bp_language columns named by its header and one
// value per column and row (NULL, text, integer or 0/1).
struct Rows {
    QStringList columns;
    QList<QVariantList> values;
};

// Reads a seed file's text: UTF-8, tab-separated, a header line naming the columns,
// '#' comment lines and blank lines skipped, escapes \t \n \\ inside cells.
// Throws DatabaseError naming fileName and the line at fault.
Rows parse(const QString& fileName, const QString& text);

// The seed files of dir ("*.tsv"), in file-name order.
QStringList files(const QString& dir);

// Inserts the rows of every seed file of dir into bp_language.
void loadAll(sqlite3* db, const QString& dir);

} // namespace store::LanguageSeed
