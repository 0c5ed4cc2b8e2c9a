#include "readings/ColumnMapping.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// The mapping as "field=column" for each field found, then the columns the date and the
// time are read from.
QString shown(const readings::ColumnMapping& mapping) {
    static const char* names[] = {"date", "time", "datetime", "sys", "dia", "pulse", "mark"};
    QStringList found;
    for (int field = 0; field < readings::kFieldCount; ++field)
        if (mapping[readings::Field(field)] >= 0)
            found << QStringLiteral("%1=%2").arg(names[field]).arg(mapping[readings::Field(field)]);
    return found.join(u' ') +
           QStringLiteral(" (%1,%2)").arg(mapping.dateColumn()).arg(mapping.timeColumn());
}

struct MappingCase {
    QStringList titles;
    const char* expected;
    bool complete;
};

TEST(ColumnMapping, FindsColumnsByTheirTitles) {
    const MappingCase cases[] = {
        {{"Zeit", "Datum", "Systolisch", "Diastolisch", "Herzfrequenz", "Markierung"},
         "date=1 time=0 sys=2 dia=3 pulse=4 mark=5 (1,0)",
         true},
        {{"Date/Time", "Systolic (mmHg)", "Diastolic [mmHg]", "Heart Rate (bpm)"},
         "datetime=0 sys=1 dia=2 pulse=3 (0,-1)",
         true},
        {{" timestamp ", "sys", "dia", "HR", "Comment"},
         "datetime=0 sys=1 dia=2 pulse=3 (0,-1)",
         true},
        {{"Datum/Uhrzeit", "SYS", "Dia"}, "datetime=0 sys=1 dia=2 (0,-1)", true},
        // The Transfer page's titles: date and time come from the one column that has both.
        {{"No.", "Systolic", "Diastolic", "Pulse", "Date", "Time", "Date and time"},
         "date=4 time=5 datetime=6 sys=1 dia=2 pulse=3 (6,-1)",
         true},
        {{"Systolic", "Systolic", "Diastolic", "Date"}, "date=3 sys=0 dia=2 (3,-1)", true},
        {{"Time", "Systolic", "Diastolic"}, "time=0 sys=1 dia=2 (-1,0)", false},
        {{"Date", "Systolic"}, "date=0 sys=1 (0,-1)", false},
        {{"Datum", "Blutdruck oben", "Blutdruck unten"}, "date=0 (0,-1)", false},
    };
    for (const MappingCase& c : cases) {
        const readings::ColumnMapping mapping = readings::mapColumns(c.titles);
        EXPECT_EQ(shown(mapping), QString::fromLatin1(c.expected)) << c.expected;
        EXPECT_EQ(mapping.complete(), c.complete) << c.expected;
    }
}

} // namespace
