#include "store/StoredDate.h"

#include <QDate>
#include <gtest/gtest.h>
#include <string>

namespace {

using store::StoredDate::Day;

TEST(StoredDate, ReadsOnlyTheStoredShapeOfRealDays) {
    const struct {
        const char* text;
        std::optional<Day> day;
    } cases[] = {
        {"2020-02-29 10:00:00", Day{2020, 2, 29}},
        {"2000-02-29", Day{2000, 2, 29}},
        {"2011-03-05T07:30", Day{2011, 3, 5}},
        {"2011-03-05 ", Day{2011, 3, 5}},
        {"0001-01-01 00:00:00", Day{1, 1, 1}},
        {"9999-12-31 23:59:59", Day{9999, 12, 31}},
        {"2019-02-29", std::nullopt},
        {"1900-02-29", std::nullopt},
        {"2011-04-31", std::nullopt},
        {"2011-13-01", std::nullopt},
        {"2011-00-10", std::nullopt},
        {"2011-01-00", std::nullopt},
        {"0000-01-01", std::nullopt},
        {"2011-03-05x", std::nullopt},
        {"2011-03-0510:00", std::nullopt},
        {"2011/03/05", std::nullopt},
        {"2011-3-05", std::nullopt},
        {"+011-03-05", std::nullopt},
        {"2011-03-0", std::nullopt},
        {"2011-03-5 ", std::nullopt},
        {"5.3.2011", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(store::StoredDate::read(c.text), c.day) << c.text;
}

// Every day of years 1 to 9999, with QDate as the reference.
TEST(StoredDate, CalendarAgreesWithQDateOnEveryDay) {
    const qint64 unixEpoch = QDate(1970, 1, 1).toJulianDay();
    for (QDate date(1, 1, 1); date.isValid() && date.year() <= 9999; date = date.addDays(1)) {
        const Day day{date.year(), date.month(), date.day()};
        const std::int64_t days = store::StoredDate::toDays(day);
        ASSERT_EQ(days, date.toJulianDay() - unixEpoch) << qPrintable(date.toString());
        ASSERT_EQ(store::StoredDate::fromDays(days), day) << qPrintable(date.toString());
        ASSERT_EQ(store::StoredDate::weekday(day), date.dayOfWeek() % 7);
        ASSERT_EQ(store::StoredDate::dayOfYear(day), date.dayOfYear());
    }
    EXPECT_EQ(store::StoredDate::fromDays(store::StoredDate::toDays(Day{1, 1, 1}) - 1),
              std::nullopt);
    EXPECT_EQ(store::StoredDate::fromDays(store::StoredDate::toDays(Day{9999, 12, 31}) + 1),
              std::nullopt);
}

TEST(StoredDate, FormatsDayMonthAndYearRuns) {
    const struct {
        Day day;
        const char* pattern;
        const char* text; // nullptr: the pattern is refused
    } cases[] = {
        {{2011, 3, 5}, "yyyy-MM-dd", "2011-03-05"},
        {{2011, 3, 5}, "dd.MM.yyyy", "05.03.2011"},
        {{2011, 12, 31}, "MM/dd/yyyy", "12/31/2011"},
        {{7, 1, 9}, "yyyy-MM", "0007-01"},
        {{2011, 3, 5}, "", ""},
        {{2011, 3, 5}, " (dd) ", " (05) "},
        {{2011, 3, 5}, "d.M.yy", nullptr},
        {{2011, 3, 5}, "ddd", nullptr},
        {{2011, 3, 5}, "yyyyy", nullptr},
        {{2011, 3, 5}, "dd.mm.yyyy", nullptr},
        {{2011, 3, 5}, "dd.MM.yyyy hh", nullptr},
        {{2011, 3, 5}, "dd\xc2\xb7MM", nullptr},
    };
    for (const auto& c : cases) {
        std::string out(std::char_traits<char>::length(c.pattern), '?');
        const bool written = store::StoredDate::format(c.day, c.pattern, out.data());
        EXPECT_EQ(written, c.text != nullptr) << c.pattern;
        if (written && c.text)
            EXPECT_EQ(out, c.text) << c.pattern;
    }
}

} // namespace
