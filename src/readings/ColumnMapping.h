#pragma once

#include <QStringList>
#include <array>

namespace readings {

// What a column of a readings file holds.
enum class Field { Date, Time, DateTime, Systolic, Diastolic, Pulse, Mark };
inline constexpr int kFieldCount = 7;

// Which column of a file holds each field: a 0-based column, -1 for none.
class ColumnMapping {
public:
    ColumnMapping() { columns_.fill(-1); }

    int operator[](Field field) const { return columns_[int(field)]; }
    void set(Field field, int column) { columns_[int(field)] = column; }

    // The systolic and the diastolic pressure and a date are found.
    bool complete() const;
    // The column whose text gives the date: the date-and-time column, else the date column.
    int dateColumn() const;
    // The time column when the date comes from a date column; -1 when there is none, and
    // then the date column may hold the time, too.
    int timeColumn() const;
    // How many fields a line needs to reach every column used.
    int width() const;

    bool operator==(const ColumnMapping&) const = default;

private:
    std::array<int, kFieldCount> columns_;
};

// The columns found by their titles, in English or in German, without regard to case,
// blanks, punctuation and a unit in brackets ("Systolic (mmHg)"); the titles of the
// program's own exports are among them. The first column of each field counts; other
// columns are ignored.
ColumnMapping mapColumns(const QStringList& titles);

} // namespace readings
