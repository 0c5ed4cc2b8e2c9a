#include "SchemaUpgrade.h"

#include "DatabaseError.h"
#include "NameKeys.h"
#include "ReadingColumns.h"
#include "Schema.h"
#include "Statement.h"
#include "TextCollation.h"

#include <QRegularExpression>
#include <QStringList>
#include <sqlite3.h>

namespace store::SchemaUpgrade {

namespace {

const QString kScratchTable = QStringLiteral("tonvi_converting");

// The indexes that earlier builds made themselves; the current ones replace them.
const QStringList kEarlierIndexes{QStringLiteral("bp_record_personal_checktime")};

QString quotedName(QString name) {
    return QLatin1Char('"') + name.replace(u'"', QStringLiteral("\"\"")) + QLatin1Char('"');
}

void run(sqlite3* db, const QString& sql) {
    Statement(db, sql).run();
}

int userVersion(sqlite3* db) {
    Statement version(db, QStringLiteral("PRAGMA user_version"));
    return version.step() ? int(version.at(0).integer()) : 0;
}

// An index or trigger another program added keeps its definition, under a collation the
// stock tools know.
QString withStockCollation(QString sql) {
    static const QRegularExpression own(
        QStringLiteral(R"(\bCOLLATE\s+("?)%1\1(?![\w"]))").arg(kTextCollation),
        QRegularExpression::CaseInsensitiveOption);
    return sql.replace(own, QStringLiteral("COLLATE NOCASE"));
}

struct Column {
    QString name;
    QString type;
};

QList<Column> columnsOf(sqlite3* db, const QString& table) {
    Statement info(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    info.bind(1, table);
    QList<Column> columns;
    while (info.step())
        columns << Column{info.column(0).toString(), info.column(1).toString().trimmed()};
    return columns;
}

bool has(const QList<Column>& columns, const QString& name) {
    for (const Column& column : columns)
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The indexes and triggers of a table that are not the program's own.
QStringList companionsOf(sqlite3* db, const QString& table) {
    Statement query(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type IN "
                                       "('index', 'trigger') AND tbl_name = ?1 COLLATE NOCASE "
                                       "AND sql IS NOT NULL"));
    query.bind(1, table);
    QStringList companions;
    while (query.step()) {
        if (!kEarlierIndexes.contains(query.column(0).toString(), Qt::CaseInsensitive))
            companions << withStockCollation(query.column(1).toString());
    }
    return companions;
}

// The documented way to change a table's definition: a new table in the current shape,
// the rows copied with their rowids, the old table dropped and the new one renamed; its
// indexes and triggers are made again. Columns the current shape lacks are kept.
void rebuild(sqlite3* db, const QString& table) {
    static const QRegularExpression head(QStringLiteral(R"(^\s*CREATE\s+TABLE\s+\S+?\s*\()"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QStringList companions = companionsOf(db, table);
    const QString current = Schema::createStatement(table);
    run(db, QStringLiteral("CREATE TABLE ") + kScratchTable + " (" +
                current.mid(head.match(current).capturedEnd()));
    const QList<Column> shape = columnsOf(db, kScratchTable);
    QStringList names;
    for (const Column& column : columnsOf(db, table)) {
        if (!has(shape, column.name))
            run(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                        .arg(kScratchTable, quotedName(column.name), column.type));
        names << quotedName(column.name);
    }
    const QString list = names.join(u',');
    run(db, "INSERT INTO " + kScratchTable + " (rowid," + list + ") SELECT rowid," + list +
                " FROM " + quotedName(table));
    run(db, "DROP TABLE " + quotedName(table));
    run(db, "ALTER TABLE " + kScratchTable + " RENAME TO " + quotedName(table));
    for (const QString& companion : companions)
        run(db, companion);
}

void convert(sqlite3* db) {
    for (const QString& table : Schema::tableNames()) {
        rebuild(db, table);
        for (const Column& column : columnsOf(db, table)) {
            if (column.type.compare(u"BOOLEAN", Qt::CaseInsensitive) == 0)
                run(db, QStringLiteral("UPDATE %1 SET %2 = -1 WHERE %2 <> 0 AND %2 <> -1")
                            .arg(quotedName(table), quotedName(column.name)));
        }
    }
    Schema::addIndexes(db);
    NameKeys::fillMissingKeys(db);
}

// A file in the shape of the name keys lacks only the columns of later versions.
void addColumns(sqlite3* db, int fileVersion) {
    const std::pair<const char*, ReadingTable> tables[] = {
        {"bp_record", ReadingTable::Saved},
        {"bp_record_user1", ReadingTable::Memory},
        {"bp_record_user2", ReadingTable::Memory}};
    for (const auto& [table, shape] : tables)
        for (const QString& statement : addedColumns(QLatin1String(table), shape, fileVersion))
            run(db, statement);
}

} // namespace

void convertEarlierFile(sqlite3* db) {
    const int version = userVersion(db);
    if (version >= Schema::kVersion)
        return;
    executeScript(db, "BEGIN IMMEDIATE");
    try {
        if (version < 1)
            convert(db);
        else
            addColumns(db, version);
        run(db, QStringLiteral("PRAGMA user_version = %1").arg(Schema::kVersion));
        executeScript(db, "COMMIT");
    } catch (const DatabaseError&) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace store::SchemaUpgrade
