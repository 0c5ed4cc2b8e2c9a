#include "device/engine/Scenario.h"

#include "device/engine/ProgressGauge.h"

#include <gtest/gtest.h>

using device::Report;
using device::Scenario;

TEST(ScenarioTest, BuildsTheReportsOfAScenarioText) {
    const Scenario s = Scenario::fromJson(R"({"layout": "one",
        "memory1": [{"month": 3, "day": 14, "hour": 8, "minute": 30,
                     "systolic": 300, "diastolic": 82, "pulse": 70}, "03 0e 08 1e 00 80 52 46"],
        "faults": {"writeFailures": [{"command": "5A", "from": 2}],
                   "emptyReports": [{"before": 1, "times": 2}],
                   "badCounts": [{"before": 0, "count": 2}]}})");
    ASSERT_EQ(s.writeFailures.size(), 1u);
    EXPECT_EQ(s.writeFailures[0].command, 0x5A);
    EXPECT_EQ(s.inputReports(), (std::vector<Report>{{0, 2, 0x5A, 2, 0, 3, 14, 8, 30},
                                                     {0, 7, 0x5A, 2, 0, 3, 14, 8, 30},
                                                     {0, 0, 1, 44, 82, 70, 3, 14, 8},
                                                     {0, 0, 1, 44, 82, 70, 3, 14, 8},
                                                     {0, 7, 1, 44, 82, 70, 3, 14, 8},
                                                     {0, 5, 30, 0, 128, 82, 70}}));
    EXPECT_EQ(
        Scenario::fromJson(R"({"memory1": ["01"], "reports": ["035b", "00"]})").inputReports(),
        (std::vector<Report>{{0, 3, 0x5B}, {}}));
}

TEST(ScenarioTest, RejectsMalformedText) {
    for (const char* text :
         {"", "[]", R"({"layout": "three"})", R"({"memory1": ["zz"]})",
          R"({"memory1": ["00 11 22 33 44 55 66 77 88"]})", R"({"memory1": [{"systolic": 512}]})",
          R"({"faults": {"writeFailures": [{"command": "AA"}]}})",
          R"({"faults": {"readTimeouts": [{"from": 0}]}})"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(Scenario::fromJson(text), device::ScenarioError);
    }
}

TEST(PlainGaugeTest, ProgressStaysWithinZeroAndMaxValue) {
    device::PlainGauge gauge;
    gauge.setMaxValue(5);
    gauge.setProgress(9);
    EXPECT_EQ(gauge.progress(), 5);
    gauge.setMaxValue(3);
    EXPECT_EQ(gauge.progress(), 3);
    gauge.setProgress(-1);
    EXPECT_EQ(gauge.progress(), 0);
}
