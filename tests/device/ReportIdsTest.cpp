#include "device/engine/ReportIds.h"

#include <gtest/gtest.h>

namespace {

device::ReportIds idsOf(const char* hex) {
    return device::reportIds(QByteArray::fromHex(hex));
}

} // namespace

// The Report ID in force at the first Input and the first Output item counts.
TEST(ReportIdsTest, ReadsTheNumbersOfTheInputAndOutputReports) {
    const auto unnumbered = idsOf("0600ff0901a101150026ff0075089508090181020901 9102c0");
    EXPECT_EQ((std::pair{unnumbered.input, unnumbered.output}), (std::pair<quint8, quint8>{0, 0}));
    const auto numbered =
        idsOf("0600ff0901a101 8501 75089508 0901 8102 8502 0901 9102 8503 8102 c0");
    EXPECT_EQ((std::pair{numbered.input, numbered.output}), (std::pair<quint8, quint8>{1, 2}));
    // A long item's data is skipped, a 4-byte Report ID item takes its first byte.
    const auto skipped = idsOf("fe02858101 8704000000 8102");
    EXPECT_EQ(skipped.input, 4);
}

TEST(ReportIdsTest, TruncatedDescriptorsGiveWhatWasReadUpToTheFault) {
    for (const char* hex : {"85", "fe", "fe05", "8501 81", "87"}) {
        SCOPED_TRACE(hex);
        EXPECT_EQ(idsOf(hex).output, 0);
    }
    EXPECT_EQ(idsOf("8507 8102 9102 fe").output, 7);
}
