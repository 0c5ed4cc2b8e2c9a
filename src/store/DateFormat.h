#pragma once

#include <QLocale>
#include <QString>

namespace store {

// A date format whose two-digit year ("yy") is widened to four digits, so that every
// date written with it reads back in the right century.
QString withFourDigitYear(const QString& format);

// A day and month kept as "MM/DD" (the monitor's records carry no year), written in the
// order and with the separator of the locale's short date; other text as it stands.
QString monthDayAsShown(const QString& monthDay, const QLocale& locale = QLocale());

} // namespace store
