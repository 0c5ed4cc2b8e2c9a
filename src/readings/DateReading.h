#pragma once

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace readings {

// The order of day and month in dates such as 3/5/2024.
enum class DateOrder { DayFirst, MonthFirst };

// A column of plain integers holds Unix times, from 1970 on.
enum class EpochUnit { None, Seconds, Milliseconds };

// What the date texts of a whole file say about their form. The order of day and month
// is never decided from one line alone.
class DateSurvey {
public:
    void add(QStringView dateText);

    // Seconds or milliseconds when every date is a plain integer: milliseconds when any
    // is 10^11 or more, a time in seconds far beyond any reading.
    EpochUnit epochUnit() const;
    // A first number above 12 shows day first, a second above 12 month first. None when
    // no slashed date decides it, or when the dates show both.
    std::optional<DateOrder> order() const;
    // Whether every date so far reads alone, without the rest of the file: none is slashed
    // and not all of them are plain integers.
    bool readsLineByLine() const { return !slashed_ && !(dates_ && integers_); }
    // Slashed dates are read only once the order is known.
    bool needsOrder() const { return epochUnit() == EpochUnit::None && slashed_ && !order(); }

private:
    bool slashed_ = false;
    bool dayFirst_ = false;
    bool monthFirst_ = false;
    bool dates_ = false;
    bool integers_ = true;
    bool milliseconds_ = false;
};

// The order the locale's short date writes day and month in.
DateOrder localeOrder(const QLocale& locale);

// Reads the dates and times of one file: ISO 8601 (a blank or T before the time, with
// or without seconds and a UTC offset), yyyy/MM/dd, dd.MM.yyyy and dd.MM.yy, d/M/yyyy
// or M/d/yyyy in the file's order, a time with or without AM/PM, the locale's short
// date and time, and Unix times. A UTC offset or a Unix time becomes local time.
class MomentReader {
public:
    struct Settings {
        QLocale locale;
        DateOrder order = DateOrder::DayFirst;
        EpochUnit epoch = EpochUnit::None;
        // Two-digit years are taken in the century that puts them no later than this year.
        int currentYear = QDate::currentDate().year();
    };
    explicit MomentReader(const Settings& settings);

    bool readsUnixTime() const { return settings_.epoch != EpochUnit::None; }

    // A date with or without a time (midnight then), as the local wall clock; none when
    // the text cannot be read.
    std::optional<QDateTime> dateTime(QStringView text) const;
    // A date alone.
    std::optional<QDate> date(QStringView text) const;
    // A time alone, without an offset.
    std::optional<QTime> time(QStringView text) const;

private:
    enum class Shape { Other, Unreadable, Read };
    Shape builtIn(QStringView text, QDateTime& moment) const;
    std::optional<QDate> dateOf(int first, int second, int third, bool yearFirst, bool dayFirst,
                                int thirdDigits) const;
    std::optional<QDateTime> inLocale(QStringView text) const;

    Settings settings_;
    QString am_, pm_;
    QStringList localeFormats_; // date and time, then date alone
};

} // namespace readings
