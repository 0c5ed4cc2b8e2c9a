#include "StoredDate.h"

namespace store::StoredDate {

namespace {

// The value of count ASCII digits from position from; -1 when one is no digit.
int digits(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool isLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

void writeDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr std::int64_t kFirstDay = -719162; // 0001-01-01
constexpr std::int64_t kLastDay = 2932896;  // 9999-12-31

} // namespace

std::optional<Day> read(std::string_view text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' ||
        (text.size() > 10 && text[10] != ' ' && text[10] != 'T'))
        return std::nullopt;
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return Day{year, month, day};
}

// Counted in eras of 400 years from 1 March of year 0, so that the leap day ends a year.
std::int64_t toDays(const Day& day) {
    const int year = day.year - (day.month <= 2 ? 1 : 0);
    const int era = year / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * ((day.month + 9) % 12) + 2) / 5 + day.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return std::int64_t(era) * 146097 + dayOfEra - 719468;
}

std::optional<Day> fromDays(std::int64_t days) {
    if (days < kFirstDay || days > kLastDay)
        return std::nullopt;
    const std::int64_t shifted = days + 719468;
    const int era = int(shifted / 146097);
    const int dayOfEra = int(shifted - std::int64_t(era) * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shiftedMonth = (5 * dayOfYear + 2) / 153; // March is 0
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return Day{yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month,
               dayOfYear - (153 * shiftedMonth + 2) / 5 + 1};
}

std::optional<Day> addDays(const Day& day, std::int64_t days) {
    // Most moves stay in the month: a week's end, the day before.
    if (days > -28 && days < 28) {
        const int moved = day.day + int(days);
        if (moved >= 1 && moved <= daysInMonth(day.year, day.month))
            return Day{day.year, day.month, moved};
    }
    if (days < kFirstDay - kLastDay || days > kLastDay - kFirstDay)
        return std::nullopt;
    return fromDays(toDays(day) + days);
}

int weekday(const Day& day) {
    return int((toDays(day) - kFirstDay + 1) % 7); // 0001-01-01 was a Monday
}

int dayOfYear(const Day& day) {
    return int(toDays(day) - toDays(Day{day.year, 1, 1})) + 1;
}

int weekOfYear(int dayOfYear, int firstWeekday) {
    return (dayOfYear - 1 + firstWeekday) / 7 + 1;
}

int weekOfYear(const Day& day) {
    return weekOfYear(dayOfYear(day), weekday(Day{day.year, 1, 1}));
}

bool format(const Day& day, std::string_view pattern, char* out) {
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
        if (!isAsciiLetter(c)) {
            out[i++] = c;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == 'd' && run == 2)
            writeDigits(out + i, day.day, 2);
        else if (c == 'M' && run == 2)
            writeDigits(out + i, day.month, 2);
        else if (c == 'y' && run == 4)
            writeDigits(out + i, day.year, 4);
        else
            return false;
        i += run;
    }
    return true;
}

void writeIso(const Day& day, char* out) {
    writeDigits(out, day.year, 4);
    out[4] = '-';
    writeDigits(out + 5, day.month, 2);
    out[7] = '-';
    writeDigits(out + 8, day.day, 2);
}

} // namespace store::StoredDate
