#pragma once

#include <QLocale>
#include <QString>

namespace store {

// A date format whose two-digit year ("yy") is widened to four digits, so that every
// date written with it reads back in the right century.
QString withFourDigitYear(const QString& format);

// Writes a day and month kept as "MM/DD" (the monitor's records carry no year) in the
// order and with the separator of the locale's short date; other text as it stands. The
// pattern is worked out once, not for every cell.
class MonthDayFormat {
public:
    explicit MonthDayFormat(const QLocale& locale = QLocale());
    QString operator()(const QString& monthDay) const;

private:
    QLocale locale_;
    QString format_;
};

} // namespace store
