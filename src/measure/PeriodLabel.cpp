#include "measure/PeriodLabel.h"

#include "store/DateFormat.h"
#include "store/JetSql.h"

#include <QDate>

namespace measure {

QString periodLabel(AnalysisMode mode, const QVariant& period, const PeriodWords& words,
                    const QLocale& dates) {
    const QString text = period.toString();
    const QDate day = QDate::fromString(
        mode == AnalysisMode::Month ? text + QStringLiteral("-01") : text, Qt::ISODate);
    if (!day.isValid())
        return text;
    switch (mode) {
    case AnalysisMode::Day:
        return dates.toString(day,
                              store::withFourDigitYear(dates.dateFormat(QLocale::ShortFormat)));
    case AnalysisMode::Week:
        return words.week.arg(store::JetSql::weekOfYear(day)).arg(day.year());
    case AnalysisMode::Month:
        return words.language.standaloneMonthName(day.month()) + u' ' + QString::number(day.year());
    case AnalysisMode::Time:
        break;
    }
    return text;
}

} // namespace measure
