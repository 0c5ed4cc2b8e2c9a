#include "store/ReadingColumns.h"

#include "store/NameKeys.h"

#include <stdexcept>

namespace store {

namespace {

// How the database declares a column: a name compares without regard to ASCII case, and
// by its key in the program (NameKeys); a mark is never null (false is 0, true -1).
QString declaration(const ReadingColumn& column) {
    switch (column.kind) {
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::DateTime:
        return QStringLiteral("DATETIME");
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN NOT NULL DEFAULT 0");
    default:
        return NameKeys::isKeyed(column.name) ? QStringLiteral("TEXT COLLATE NOCASE")
                                              : QStringLiteral("TEXT");
    }
}

QString line(const QString& name, const QString& declared) {
    return QStringLiteral("    ") + name.leftJustified(14) + QLatin1Char(' ') + declared;
}

bool belongs(const ReadingColumn& column, ReadingTable table) {
    return table == ReadingTable::Saved ? column.saved : column.memory;
}

// The columns a saved reading shares with a downloaded one.
QStringList copied() {
    QStringList names;
    for (const ReadingColumn& column : readingColumns())
        if (column.saved && column.memory)
            names.append(column.name);
    return names;
}

QString joined(const QStringList& names, const QString& pattern) {
    QStringList parts;
    for (const QString& name : names)
        parts.append(pattern.arg(name));
    return parts.join(QLatin1Char(','));
}

// "a.x=b.x and ..." over the identifying columns; the last term follows a double space.
QString sameReading() {
    QStringList terms;
    for (const ReadingColumn& column : readingColumns())
        if (column.identifies)
            terms.append(QStringLiteral("a.%1=b.%1").arg(column.name));
    const QString last = terms.takeLast();
    return terms.join(QStringLiteral(" and ")) + QStringLiteral("  and ") + last;
}

} // namespace

const QVector<ReadingColumn>& readingColumns() {
    using Type = FieldType;
    // name, kind, design title, width, saved, memory, identifies, version
    static const QVector<ReadingColumn> columns{
        {"idno", Type::Integer, "Number", 60, false, true, false},
        {"personal", Type::Text, "name", 46, true, true, true},
        {"systolic", Type::Integer, "systolic", 70, true, true, true},
        {"diastolic", Type::Integer, "diastolic", 70, true, true, true},
        {"heart_beat", Type::Integer, "pulse", 60, true, true, true},
        {"checktime", Type::DateTime, "measurement date/time", 160, true, true, true},
        {"checktime_mmdd", Type::Text, "measurement date", 120, true, true, false},
        {"checktime_hhmm", Type::Text, "measurement time", 120, true, true, false},
        {"delselection", Type::Boolean, "", 62, true, false, false},
        // the status word of a Bluetooth monitor; null for every other reading
        {"measurement_status", Type::Integer, "status", 160, true, true, false, 2}};
    return columns;
}

const ReadingColumn& readingColumn(const QString& name) {
    for (const ReadingColumn& column : readingColumns())
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return column;
    throw std::out_of_range("no reading column " + name.toStdString());
}

QStringList readingColumnNames(ReadingTable table) {
    QStringList names;
    for (const ReadingColumn& column : readingColumns())
        if (belongs(column, table))
            names.append(column.name);
    return names;
}

QString createReadingTable(const QString& name, ReadingTable table) {
    QStringList lines, keys, later;
    for (const ReadingColumn& column : readingColumns()) {
        if (!belongs(column, table))
            continue;
        (column.version == 1 ? lines : later).append(line(column.name, declaration(column)));
        if (NameKeys::isKeyed(column.name))
            keys.append(line(NameKeys::keyOf(column.name), QStringLiteral("TEXT")));
    }
    lines += keys + later;
    return QStringLiteral("CREATE TABLE %1 (\n%2\n)").arg(name, lines.join(QStringLiteral(",\n")));
}

QStringList addedColumns(const QString& name, ReadingTable table, int fileVersion) {
    QStringList statements;
    for (const ReadingColumn& column : readingColumns())
        if (belongs(column, table) && column.version > fileVersion)
            statements.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                  .arg(name, column.name, declaration(column)));
    return statements;
}

QString removeHeldReadings(const QString& memoryTable) {
    return QStringLiteral("delete a.* from  %1 a,(select %2 from %1 a,bp_record b  where %3) b "
                          " where %3 ")
        .arg(memoryTable, joined(copied(), QStringLiteral("a.%1")), sameReading());
}

QString copyReadings(const QString& memoryTable) {
    const QStringList columns = copied();
    return QStringLiteral("insert into bp_record(%1)  select %2 from %3 a")
        .arg(columns.join(QLatin1Char(',')), joined(columns, QStringLiteral("a.%1")), memoryTable);
}

} // namespace store
