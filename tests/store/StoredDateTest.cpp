#include "store/StoredDate.h"

#include <QDate>
#include <gtest/gtest.h>
#include <limits>

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

// Moves by days around the ends of the range, of centuries and of leap years.
TEST(StoredDate, MovesByDaysAsQDateDoes) {
    const QDate windows[][2] = {{QDate(1, 1, 1), QDate(3, 1, 1)},
                                {QDate(1899, 1, 1), QDate(1902, 1, 1)},
                                {QDate(1999, 1, 1), QDate(2002, 1, 1)},
                                {QDate(9998, 1, 1), QDate(9999, 12, 31)}};
    for (const auto& window : windows) {
        for (QDate date = window[0]; date <= window[1]; date = date.addDays(1)) {
            const Day day{date.year(), date.month(), date.day()};
            for (const qint64 move : {-400, -29, -28, -27, -1, 1, 6, 27, 28, 31, 366}) {
                const QDate moved = date.addDays(move);
                const auto expected =
                    moved.year() >= 1 && moved.year() <= 9999
                        ? std::optional(Day{moved.year(), moved.month(), moved.day()})
                        : std::nullopt;
                ASSERT_EQ(store::StoredDate::addDays(day, move), expected)
                    << qPrintable(date.toString()) << " " << move;
            }
        }
    }
    for (const std::int64_t move :
         {std::int64_t(9000000000), -std::int64_t(9000000000),
          std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()})
        EXPECT_EQ(store::StoredDate::addDays(Day{2011, 3, 5}, move), std::nullopt) << move;
}

} // namespace
