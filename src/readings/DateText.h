#pragma once

#include <QStringView>
#include <QTime>
#include <optional>

namespace readings::datetext {

// Blanks in dates and times: also the no-break spaces some locales write before AM/PM.
bool isBlank(QChar c);

// The leading numeric date of a text, three numbers between two equal separators:
// "2024-03-05", "5.3.24", "3/5/2024 8:30 AM".
struct NumericDate {
    int first = 0, second = 0, third = 0;
    int firstDigits = 0, thirdDigits = 0;
    QChar separator;
    qsizetype end = 0; // where the text after the date starts

    bool yearFirst() const { return firstDigits == 4; }
    // Day and month may stand either way round: d/M/y or M/d/y.
    bool slashed() const { return separator == u'/' && !yearFirst(); }
};
std::optional<NumericDate> numericDate(QStringView text);

// A clock time with its AM/PM marker and UTC offset, as read from the start of a text.
struct ClockTime {
    QTime time;
    std::optional<int> offsetSeconds; // a UTC offset or Z was given
};

// Reads "H:mm", "H:mm:ss" or "H:mm:ss.fff", then a blank and AM or PM (or the given
// texts) when there is one, then Z or an offset "+hh:mm", "+hhmm" or "+hh"; the whole
// text must be read. Invalid when not.
std::optional<ClockTime> clockTime(QStringView text, QStringView am, QStringView pm);

// Whether the text is a whole number, perhaps negative, of at most 18 digits.
std::optional<qint64> integer(QStringView text);

} // namespace readings::datetext
