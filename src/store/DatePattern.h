#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVector>

namespace store {

// A Qt date/time pattern read once, so that many moments are written quickly, each in the
// same text as QLocale::toString(moment, pattern) gives.
class DatePattern {
public:
    DatePattern() = default;
    DatePattern(const QString& pattern, const QLocale& locale);

    const QString& pattern() const { return pattern_; }
    // Writes the moment's date and clock time as they stand, whatever its zone; a zone
    // name in the pattern is the local zone's.
    QString format(const QDateTime& moment) const;

private:
    enum class Kind {
        Literal,
        Day,
        Month,
        Year,
        Hour24,
        Hour12,
        Minute,
        Second,
        AmPm,
        MonthName,
        DayName,
        DateText,
        Other
    };
    struct Part {
        Kind kind;
        int width = 1;
        QString text;           // the literal, or the pattern run handed to QLocale
        QStringList names = {}; // of the months or the days of the week, from the first
    };

    void read();
    void addRun(QChar letter, int count, bool twelveHour);

    QString pattern_;
    QLocale locale_;
    QVector<Part> parts_;
    bool upperAmPm_ = true;
};

} // namespace store
