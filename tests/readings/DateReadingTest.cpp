#include "readings/DateReading.h"

#include "support/LocalZone.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using readings::DateOrder;
using readings::EpochUnit;

struct MomentCase {
    const char* text;
    const char* expected; // yyyy-MM-dd HH:mm:ss, empty when unreadable
    DateOrder order = DateOrder::DayFirst;
    const char* locale = "en_US";
    EpochUnit epoch = EpochUnit::None;
};

QString read(const MomentCase& c) {
    const readings::MomentReader reader(
        {QLocale(QString::fromLatin1(c.locale)), c.order, c.epoch, 2024});
    const auto moment = reader.dateTime(QString::fromUtf8(c.text));
    return moment ? moment->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

TEST(MomentReader, ReadsTheAcceptedForms) {
    const LocalZone zone("Europe/Berlin");
    const MomentCase cases[] = {
        {"2024-03-05", "2024-03-05 00:00:00"},
        {"2024-03-05 07:08", "2024-03-05 07:08:00"},
        {" 2024-03-05T07:08:09.250 ", "2024-03-05 07:08:09"},
        {"2024-03-05T06:08:09Z", "2024-03-05 07:08:09"},
        {"2024-07-05T05:08+00:00", "2024-07-05 07:08:00"},
        {"2024-03-05T12:38:00+0530", "2024-03-05 08:08:00"},
        {"2024-03-05 01:00-05", "2024-03-05 07:00:00"},
        {"5.3.2024 7:08", "2024-03-05 07:08:00"},
        {"05.03.24 07:08:09", "2024-03-05 07:08:09"},
        {"05.03.25", "1925-03-05 00:00:00"},
        {"3/5/2024 7:08 PM", "2024-05-03 19:08:00", DateOrder::DayFirst},
        {"3/5/2024 12:08 AM", "2024-03-05 00:08:00", DateOrder::MonthFirst},
        {"3/5/2024 12:08 pm", "2024-03-05 12:08:00", DateOrder::MonthFirst},
        {"3/5/2024\u202F7:08\u202FAM", "2024-03-05 07:08:00", DateOrder::MonthFirst},
        {"3/5/24, 7:08 p.m.", "2024-03-05 19:08:00", DateOrder::MonthFirst},
        // Unreadable: never guessed another way.
        {"13/5/2024", "", DateOrder::MonthFirst},
        {"2024-02-30", ""},
        {"2024-03-05 25:00", ""},
        {"2024-03-05 13:00 PM", ""},
        {"2024-03-05 07:08 tomorrow", ""},
        {"2024-03-0507:08", ""},
        {"2024-03-05T07:08+15:00", ""},
        {"5.3.224", ""},
        {"yesterday", ""},
        {"", ""},
        {"1709618880", ""},
        {"2024-03-05", "", DateOrder::DayFirst, "en_US", EpochUnit::Seconds},
        {"99999999999999999", "", DateOrder::DayFirst, "en_US", EpochUnit::Seconds},
    };
    for (const MomentCase& c : cases)
        EXPECT_EQ(read(c), QString::fromLatin1(c.expected)) << c.text;
}

TEST(MomentReader, ReadsDatesAndTimesApart) {
    const readings::MomentReader reader(
        {QLocale(QStringLiteral("de_DE")), DateOrder::DayFirst, EpochUnit::None, 2024});
    EXPECT_EQ(reader.date(u"05.03.2024"), QDate(2024, 3, 5));
    EXPECT_EQ(reader.date(u"05.03.2024 07:08"), std::nullopt);
    EXPECT_EQ(reader.time(u"07:08"), QTime(7, 8));
    EXPECT_EQ(reader.time(u"7:08:09 PM"), QTime(19, 8, 9));
    EXPECT_EQ(reader.time(u"07:08Z"), std::nullopt);
    EXPECT_EQ(reader.time(u"7 Uhr"), std::nullopt);
}

struct SurveyCase {
    const char* name;
    QStringList dates;
    std::optional<DateOrder> order;
    bool needsOrder;
    EpochUnit epoch;
};

TEST(DateSurvey, DecidesFromTheWholeColumn) {
    const SurveyCase cases[] = {
        {"no slashed dates", {"2024-03-05", "05.03.2024"}, std::nullopt, false, EpochUnit::None},
        {"both shown", {"13/5/2024", "5/13/2024"}, std::nullopt, true, EpochUnit::None},
        {"milliseconds",
         {"1709618880", "1709618880000"},
         std::nullopt,
         false,
         EpochUnit::Milliseconds},
        {"numbers among dates", {"1709618880", "3/5/2024"}, std::nullopt, true, EpochUnit::None},
        {"nothing", {"", " "}, std::nullopt, false, EpochUnit::None},
    };
    for (const SurveyCase& c : cases) {
        readings::DateSurvey survey;
        for (const QString& date : c.dates)
            survey.add(date);
        EXPECT_EQ(survey.order(), c.order) << c.name;
        EXPECT_EQ(survey.needsOrder(), c.needsOrder) << c.name;
        EXPECT_EQ(survey.epochUnit(), c.epoch) << c.name;
    }
}

TEST(DateSurvey, LocaleOrder) {
    EXPECT_EQ(readings::localeOrder(QLocale(QStringLiteral("en_US"))), DateOrder::MonthFirst);
    EXPECT_EQ(readings::localeOrder(QLocale(QStringLiteral("en_GB"))), DateOrder::DayFirst);
    EXPECT_EQ(readings::localeOrder(QLocale(QStringLiteral("de_DE"))), DateOrder::DayFirst);
}

} // namespace
