#include "device/engine/Scenario.h"

#include "device/ScenarioRefusal.h"
#include "device/engine/ProgressGauge.h"

#include <QString>
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

// Each refusal names the key and where it sits, so that the author finds the fault.
TEST(ScenarioTest, RefusesWhatItWouldOtherwiseIgnoreOrMisread) {
    for (const auto& [text, where] : std::vector<std::pair<const char*, const char*>>{
             {R"({"memroy1": []})", "at memroy1: unknown key"},
             {R"({"memory1": [{"month": 3, "puls": 70}]})", "at memory1[0].puls: unknown key"},
             {R"({"faults": {"writeFailure": []}})", "at faults.writeFailure: unknown key"},
             {R"({"faults": {"readTimeouts": [{"from": 2, "time": 3}]}})",
              "at faults.readTimeouts[0].time: unknown key"},
             {R"({"memory1": {"month": 3}})", "at memory1: must be a list"},
             {R"({"faults": []})", "at faults: must be an object"},
             {R"({"faults": {"emptyReports": [3]}})",
              "at faults.emptyReports[0]: must be an object"},
             {R"({"faults": {"openFailures": "2"}})", "at faults.openFailures: must be a whole"},
             {R"({"memory1": [{"pulse": true}]})", "at memory1[0].pulse: must be a whole"},
             {R"({"memory2": ["01", "03 0e 09 0g 00 83 55 48"]})", "at memory2[1]: must be 1 to 8"},
             {R"({"reports": ["07 5b 1"]})", "at reports[0]: must be 1 to 8"},
             {R"({"faults": {"disconnectAfter": 0}})",
              "at faults.disconnectAfter: must be a whole"},
             {R"({"layout": 90.5})", "at layout: must be"},
             {R"({"layout": "90"})", "at layout: must be"},
             {"{\"layout\": 1,\n \"memory1\" []}", "at line 2, column 13: missing name separator"},
         }) {
        expectRefused(text, where);
    }
    EXPECT_EQ(Scenario::fromJson(R"({"layout": 90, "faults": {"disconnectAfter": 1}})").layout, 90);
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
