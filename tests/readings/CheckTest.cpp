#include "readings/Reading.h"
#include "readings/RowReader.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QDateTime now(QDate(2024, 6, 1), QTime(12, 0));
const QDateTime morning(QDate(2024, 5, 31), QTime(8, 15));

struct CheckCase {
    readings::Reading reading;
    QStringList problems;
};

TEST(Check, NamesEachFieldOutsideItsRange) {
    const CheckCase cases[] = {
        {{morning, 120, 80, 70}, {}},
        {{morning, 300, 250, 20}, {}},
        {{morning, 40, 20, 250}, {}},
        {{morning, 120, 80, std::nullopt}, {}},
        {{now.addDays(1), 120, 80, 70}, {}},
        {{morning, 39, 30, 70}, {"reading_systolic_range"}},
        {{morning, 301, 80, 70}, {"reading_systolic_range"}},
        {{morning, 120, 19, 70}, {"reading_diastolic_range"}},
        {{morning, 260, 251, 70}, {"reading_diastolic_range"}},
        {{morning, 120, 120, 70}, {"reading_diastolic_not_lower"}},
        {{morning, 90, 95, 70}, {"reading_diastolic_not_lower"}},
        {{morning, 120, 80, 19}, {"reading_pulse_range"}},
        {{morning, 120, 80, 251}, {"reading_pulse_range"}},
        {{now.addDays(1).addSecs(60), 120, 80, 70}, {"reading_moment_future"}},
        {{{}, 0, 0, 0, true},
         {"reading_systolic_range", "reading_diastolic_range", "reading_pulse_range",
          "reading_moment_missing"}},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(readings::check(c.reading, now), c.problems)
            << c.reading.systolic << '/' << c.reading.diastolic;
}

// The moment is a wall-clock reading: its zone does not move it against now.
TEST(Check, ComparesWallClocks) {
    const auto at = [](int hour, int offsetHours) {
        return readings::Reading{
            QDateTime(QDate(2024, 6, 2), QTime(hour, 30), Qt::OffsetFromUTC, offsetHours * 3600),
            120, 80, 70};
    };
    EXPECT_EQ(readings::check(at(12, 14), now), QStringList{"reading_moment_future"});
    EXPECT_TRUE(readings::check(at(11, -12), now).isEmpty());
}

TEST(Check, ReadsMarkWordsInAnyCase) {
    const struct {
        const char* text;
        std::optional<bool> mark;
    } cases[] = {{"TRUE", true}, {" x ", true},   {"-1", true},      {"Ja", true},
                 {"", false},    {"NEIN", false}, {" false", false}, {"0", false},
                 {"maybe", {}},  {"yess", {}},    {"2", {}},         {"-", {}}};
    for (const auto& c : cases)
        EXPECT_EQ(readings::markOf(QString::fromUtf8(c.text)), c.mark) << c.text;
}

} // namespace
