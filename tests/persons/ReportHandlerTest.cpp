#include "PersonsFixture.h"
#include "output/ShowReport.h"
#include "support/RecordingDestination.h"

namespace {

TEST_F(PersonsTest, RegisterReportRunsEvenWhenEmpty) {
    copyReportTemplates(dir.path());
    RecordingDestination recorder;
    page().reports().setDestination(&recorder);
    page().img_preview_2Click();
    addPersons({"Adams", "Baker"});
    page().img_print_2Click();

    ASSERT_EQ(recorder.runs.size(), 2u);
    EXPECT_EQ(recorder.runs[0].destination, "preview");
    EXPECT_EQ(recorder.runs[0].templateFile, "userinfo.rav");
    EXPECT_EQ(recorder.runs[0].dataset, &dm1.ado_user);
    EXPECT_EQ(recorder.runs[0].rows, 0);
    EXPECT_EQ(recorder.runs[1].destination, "printer");
    EXPECT_EQ(recorder.runs[1].templateFile, "userinfo.rav");
    EXPECT_EQ(recorder.runs[1].rows, 2);
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
