#include "store/DateFormat.h"

#include <QDate>
#include <QRegularExpression>

namespace store {

QString withFourDigitYear(const QString& format) {
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return QString(format).replace(twoDigitYear, QStringLiteral("yyyy"));
}

MonthDayFormat::MonthDayFormat(const QLocale& locale) : locale_(locale) {
    // The short format without its year and the separators next to it.
    static const QRegularExpression year(QStringLiteral("^y+[^dM]*|[^dM]*y+$|y+[^dM]*"));
    format_ = locale.dateFormat(QLocale::ShortFormat).remove(year);
}

QString MonthDayFormat::operator()(const QString& monthDay) const {
    // A leap year, so that 02/29 is a day.
    const QDate day =
        QDate::fromString(monthDay + QStringLiteral("/2000"), QStringLiteral("MM/dd/yyyy"));
    return day.isValid() ? locale_.toString(day, format_) : monthDay;
}

} // namespace store
