#include "SchemaUpgrade.h"

#include "DatabaseError.h"
#include "Schema.h"
#include "Statement.h"
#include "TextCollation.h"

#include <QRegularExpression>
#include <QStringList>
#include <sqlite3.h>

namespace store::SchemaUpgrade {

namespace {

const QString kScratchTable = QStringLiteral("tonvi_converting");

const QRegularExpression& asciiCollation() {
    static const QRegularExpression pattern(QStringLiteral(R"(\bCOLLATE\s+("?)NOCASE\1(?![\w"]))"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

QString withTextCollation(QString sql) {
    return sql.replace(asciiCollation(),
                       QStringLiteral("COLLATE ") + QString::fromLatin1(kTextCollation));
}

QString quotedName(QString name) {
    return QLatin1Char('"') + name.replace(u'"', QStringLiteral("\"\"")) + QLatin1Char('"');
}

void run(sqlite3* db, const QString& sql) {
    Statement(db, sql).run();
}

QStringList column0(sqlite3* db, const QString& sql, const QString& table) {
    Statement query(db, sql);
    query.bind(1, table);
    QStringList values;
    while (query.step())
        values << query.column(0).toString();
    return values;
}

QString tableSql(sqlite3* db, const QString& table) {
    return column0(db,
                   QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND "
                                  "name = ?1 COLLATE NOCASE"),
                   table)
        .value(0);
}

struct Column {
    QString name;
    bool boolean;
};

QList<Column> columnsOf(sqlite3* db, const QString& table) {
    Statement info(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    info.bind(1, table);
    QList<Column> columns;
    while (info.step()) {
        const QString type = info.column(1).toString().trimmed();
        columns << Column{info.column(0).toString(),
                          type.compare(u"BOOLEAN", Qt::CaseInsensitive) == 0};
    }
    return columns;
}

// The documented way to change a column's definition: a new table under the new text,
// the rows copied with their rowids, the old table dropped and the new one renamed; its
// indexes and triggers are made again under the new collation.
void rebuild(sqlite3* db, const QString& table, const QString& sql) {
    static const QRegularExpression head(
        QStringLiteral(R"(^\s*CREATE\s+TABLE\s+("[^"]*"|\S+?)\s*\()"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = head.match(sql);
    if (!match.hasMatch())
        throw DatabaseError(QStringLiteral("the table %1 has an unknown definition").arg(table));
    const QStringList companions = column0(
        db,
        QStringLiteral("SELECT sql FROM sqlite_master WHERE type IN ('index', 'trigger') AND "
                       "tbl_name = ?1 COLLATE NOCASE AND sql IS NOT NULL"),
        table);
    QStringList names;
    for (const Column& column : columnsOf(db, table))
        names << quotedName(column.name);
    const QString list = names.join(u',');
    run(db, withTextCollation(QStringLiteral("CREATE TABLE ") + kScratchTable + " (" +
                              sql.mid(match.capturedEnd())));
    run(db, "INSERT INTO " + kScratchTable + " (rowid," + list + ") SELECT rowid," + list +
                " FROM " + quotedName(table));
    run(db, "DROP TABLE " + quotedName(table));
    run(db, "ALTER TABLE " + kScratchTable + " RENAME TO " + quotedName(table));
    for (const QString& companion : companions)
        run(db, withTextCollation(companion));
}

void convert(sqlite3* db) {
    for (const QString& table : Schema::tableNames()) {
        const QString sql = tableSql(db, table);
        if (sql.contains(asciiCollation()))
            rebuild(db, table, sql);
        for (const Column& column : columnsOf(db, table)) {
            if (column.boolean)
                run(db, QStringLiteral("UPDATE %1 SET %2 = -1 WHERE %2 <> 0 AND %2 <> -1")
                            .arg(quotedName(table), quotedName(column.name)));
        }
    }
}

bool isEarlierFile(sqlite3* db) {
    for (const QString& table : Schema::tableNames()) {
        if (tableSql(db, table).contains(asciiCollation()))
            return true;
    }
    return false;
}

} // namespace

void convertEarlierFile(sqlite3* db) {
    if (!isEarlierFile(db))
        return;
    executeScript(db, "BEGIN IMMEDIATE");
    try {
        convert(db);
        executeScript(db, "COMMIT");
    } catch (const DatabaseError&) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace store::SchemaUpgrade
