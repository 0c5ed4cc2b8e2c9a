#include "LanguageSeed.h"

#include "DatabaseError.h"
#include "Statement.h"

#include <QDir>
#include <QFile>

namespace store::LanguageSeed {

namespace {

enum class Kind { Text, Integer, Boolean };

Kind columnKind(const QString& column) {
    if (column == u"component_index" || column == u"show_width")
        return Kind::Integer;
    return column == u"show" ? Kind::Boolean : Kind::Text;
}

bool isKnownColumn(const QString& column) {
    static const QStringList known = {
        "formname",    "group",     "component",  "component_index", "showtext", "show_english",
        "show_german", "show_font", "show_width", "fieldname",       "show"};
    return known.contains(column);
}

class LineError {
public:
    LineError(const QString& fileName, int line) : fileName_(fileName), line_(line) {}
    [[noreturn]] void raise(const QString& what) const {
        throw DatabaseError(QStringLiteral("%1, line %2: %3").arg(fileName_).arg(line_).arg(what));
    }

private:
    const QString& fileName_;
    int line_;
};

QString unescape(const QString& cell, const LineError& error) {
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        if (cell[i] != u'\\') {
            out += cell[i];
            continue;
        }
        const QChar next = i + 1 < cell.size() ? cell[++i] : QChar();
        if (next == u't')
            out += u'\t';
        else if (next == u'n')
            out += u'\n';
        else if (next == u'\\')
            out += u'\\';
        else
            error.raise(QStringLiteral("unknown escape in \"%1\"").arg(cell));
    }
    return out;
}

QVariant cellValue(Kind kind, const QString& cell, const LineError& error) {
    if (kind == Kind::Text)
        return unescape(cell, error);
    const QString trimmed = cell.trimmed();
    if (kind == Kind::Boolean) {
        if (trimmed.isEmpty() || trimmed == u"0" ||
            trimmed.compare(u"false", Qt::CaseInsensitive) == 0)
            return 0;
        if (trimmed == u"1" || trimmed.compare(u"true", Qt::CaseInsensitive) == 0)
            return -1;
        error.raise(QStringLiteral("\"%1\" is not 0, 1, true or false").arg(cell));
    }
    if (trimmed.isEmpty())
        return QVariant();
    bool ok = false;
    const int number = trimmed.toInt(&ok);
    if (!ok)
        error.raise(QStringLiteral("\"%1\" is not a whole number").arg(cell));
    return number;
}

QStringList parseHeader(const QString& line, const LineError& error) {
    QStringList columns;
    for (const QString& cell : line.split(u'\t')) {
        const QString column = cell.trimmed().toLower();
        if (!isKnownColumn(column))
            error.raise(QStringLiteral("unknown column \"%1\"").arg(cell));
        if (columns.contains(column))
            error.raise(QStringLiteral("column \"%1\" named twice").arg(cell));
        columns << column;
    }
    return columns;
}

QString insertStatement(const QStringList& columns) {
    QStringList names;
    QStringList marks;
    for (const QString& column : columns) {
        names << QLatin1Char('"') + column + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO bp_language (%1) VALUES (%2)")
        .arg(names.join(u", "), marks.join(u", "));
}

} // namespace

Rows parse(const QString& fileName, const QString& text) {
    Rows rows;
    QList<Kind> kinds;
    const QStringList lines = (text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const LineError error(fileName, int(i + 1));
        if (rows.columns.isEmpty()) {
            rows.columns = parseHeader(line, error);
            for (const QString& column : rows.columns)
                kinds << columnKind(column);
            continue;
        }
        const QStringList cells = line.split(u'\t');
        if (cells.size() != rows.columns.size())
            error.raise(QStringLiteral("%1 cells where the header names %2")
                            .arg(cells.size())
                            .arg(rows.columns.size()));
        QVariantList values;
        for (qsizetype c = 0; c < cells.size(); ++c)
            values << cellValue(kinds[c], cells[c], error);
        rows.values << values;
    }
    return rows;
}

QStringList files(const QString& dir) {
    const QDir seedDir(dir);
    QStringList paths;
    for (const QString& name : seedDir.entryList({"*.tsv"}, QDir::Files, QDir::Name))
        paths << seedDir.filePath(name);
    return paths;
}

void loadAll(sqlite3* db, const QString& dir) {
    for (const QString& path : files(dir)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw DatabaseError(QStringLiteral("cannot read seed file %1").arg(path));
        const Rows rows = parse(path, QString::fromUtf8(file.readAll()));
        if (rows.values.isEmpty())
            continue;
        Statement insert(db, insertStatement(rows.columns));
        for (const QVariantList& values : rows.values) {
            for (qsizetype c = 0; c < values.size(); ++c)
                insert.bind(int(c + 1), values[c]);
            insert.run();
            insert.reset();
        }
    }
}

} // namespace store::LanguageSeed
