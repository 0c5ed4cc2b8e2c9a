#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace store::StoredDate {

// A day of the Gregorian calendar (also before its introduction), years 1 to 9999.
struct Day {
    int year = 1;
    int month = 1;
    int day = 1;
    friend bool operator==(const Day&, const Day&) = default;
};

// The day at the start of a stored date/time text: "YYYY-MM-DD" in ASCII digits, alone or
// followed by ' ' or 'T' and anything. Nothing for every other text and for days that
// do not exist.
std::optional<Day> read(std::string_view text);

// Days since 1970-01-01, and back; nothing outside years 1 to 9999.
std::int64_t toDays(const Day& day);
std::optional<Day> fromDays(std::int64_t days);

// The day moved by whole days; nothing outside years 1 to 9999.
std::optional<Day> addDays(const Day& day, std::int64_t days);

int weekday(const Day& day); // 0 for Sunday
int dayOfYear(const Day& day);
// The week of a day of the year (from 1) when 1 January falls on firstWeekday (0 for
// Sunday): weeks start on Sunday, week 1 holds 1 January.
int weekOfYear(int dayOfYear, int firstWeekday);
int weekOfYear(const Day& day);

// Writes the day with a pattern of "dd", "MM" and "yyyy" runs among ASCII characters
// that are not letters; out receives as many bytes as the pattern has. False for any
// other pattern.
bool format(const Day& day, std::string_view pattern, char* out);

// Writes "YYYY-MM-DD" into the first ten bytes of out.
void writeIso(const Day& day, char* out);

} // namespace store::StoredDate
