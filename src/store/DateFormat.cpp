#include "store/DateFormat.h"

#include <QDate>
#include <QRegularExpression>

namespace store {

QString withFourDigitYear(const QString& format) {
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    return QString(format).replace(twoDigitYear, QStringLiteral("yyyy"));
}

QString monthDayAsShown(const QString& monthDay, const QLocale& locale) {
    // A leap year, so that 02/29 is a day.
    const QDate day =
        QDate::fromString(monthDay + QStringLiteral("/2000"), QStringLiteral("MM/dd/yyyy"));
    if (!day.isValid())
        return monthDay;
    // The short format without its year and the separators next to it.
    static const QRegularExpression year(QStringLiteral("^y+[^dM]*|[^dM]*y+$|y+[^dM]*"));
    const QString format = locale.dateFormat(QLocale::ShortFormat).remove(year);
    return locale.toString(day, format);
}

} // namespace store
