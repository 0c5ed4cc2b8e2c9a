#include "store/DatePattern.h"

#include "store/DateFormat.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

// The grid's patterns in many locales, and the odd corners of the pattern language, each
// written as QLocale writes them.
TEST(DatePattern, WritesWhatQLocaleWrites) {
    const QList<QDateTime> moments = {QDateTime(QDate(2011, 3, 1), QTime(7, 30)),
                                      QDateTime(QDate(2024, 12, 31), QTime(0, 0)),
                                      QDateTime(QDate(2023, 1, 9), QTime(12, 5)),
                                      QDateTime(QDate(1999, 10, 20), QTime(23, 59, 8)),
                                      QDateTime(QDate(2008, 2, 29), QTime(0, 30)),
                                      QDateTime(QDate(2030, 7, 4), QTime(13, 0))};
    const QStringList locales = {"de_DE", "en_US", "en_GB", "fr_FR", "ru_RU", "ja_JP", "zh_CN",
                                 "ko_KR", "nl_NL", "fi_FI", "ar_EG", "hi_IN", "C"};
    const QStringList extras = {
        "yy-M-d H:m:s", "dd 'o''clock' hh ap", "h:mm A",       "dddd, d MMMM yyyy",
        "''yy'' t",     "d.M.yyyy 'um' HH:mm", "ddd d MMM yy", "MMM-y"};
    for (const QString& name : locales) {
        const QLocale locale(name);
        const QString date = store::withFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
        QStringList patterns = extras;
        patterns << date << date + u' ' + locale.timeFormat(QLocale::ShortFormat);
        for (const QString& pattern : patterns) {
            const store::DatePattern compiled(pattern, locale);
            for (const QDateTime& moment : moments)
                EXPECT_EQ(compiled.format(moment), locale.toString(moment, pattern))
                    << qPrintable(name + u' ' + pattern);
        }
    }
}

} // namespace

// The monitor's "MM/DD" days read in the locale's order, with its separator.
TEST(MonthDayAsShown, FollowsTheLocalesDayAndMonthOrder) {
    const struct {
        const char *locale, *monthDay, *shown;
    } cases[] = {
        {"de_DE", "03/12", "12.03"}, {"en_US", "03/12", "3/12"},  {"en_GB", "03/12", "12/03"},
        {"sv_SE", "03/12", "03-12"}, {"de_DE", "02/29", "29.02"}, {"de_DE", "13/40", "13/40"},
        {"C", "03/12", "12 Mar"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::MonthDayFormat(QLocale(c.locale))(c.monthDay), QString(c.shown))
            << c.locale << " " << c.monthDay;
}
