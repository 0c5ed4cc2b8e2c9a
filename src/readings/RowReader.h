#pragma once

#include "readings/ColumnMapping.h"
#include "readings/DateReading.h"
#include "readings/Reading.h"

#include <QStringList>
#include <variant>

namespace readings {

// A line of a file that cannot be stored: its line, the message key naming the field,
// and what the file holds in that field (for missing fields: how many there are).
struct Rejection {
    qint64 line = 0;
    QString key;
    QString text;

    bool operator==(const Rejection&) const = default;
};

// Turns the fields of one line into a checked reading, or says why it cannot be one.
// Pressures and the pulse are whole numbers; a decimal separator (point or comma)
// followed by zeros only is read ("72,0" is 72), any other fraction is not, since
// monitors measure whole units. An empty pulse is no pulse. A mark is True, 1, -1, Yes,
// X (or Wahr, Ja) or False, 0, No (Falsch, Nein), or empty for none.
class RowReader {
public:
    RowReader(const ColumnMapping& mapping, const MomentReader& moments);

    // The rejection's line is left for the caller.
    std::variant<Reading, Rejection> read(const QStringList& fields, const QDateTime& now) const;

private:
    std::variant<QDateTime, Rejection> moment(const QStringList& fields) const;
    QString momentText(const QStringList& fields) const;

    ColumnMapping mapping_;
    const MomentReader& moments_;
};

// A whole number as RowReader reads pressures; none when the text is no such number.
std::optional<int> wholeNumber(QStringView text);

// A mark as RowReader reads it; none when the text is no mark.
std::optional<bool> markOf(QStringView text);

} // namespace readings
