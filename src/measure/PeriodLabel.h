#pragma once

#include "measure/AnalysisQuery.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace measure {

// The words of a language for periods: the week text with the week's number (%1) and
// year (%2), and the locale whose month names are used.
struct PeriodWords {
    QString week;
    QLocale language;
};

// The period of an averages row as a person reads it, from the period text the
// analysis query gives: a day ("2026-12-01") in the short date of the dates locale, a
// week (its Saturday) as "Week 49, 2026" with the number DatePart('ww') gives the
// Saturday, a month ("2026-12") as "December 2026". Any other value as it stands.
QString periodLabel(AnalysisMode mode, const QVariant& period, const PeriodWords& words,
                    const QLocale& dates = QLocale());

} // namespace measure
