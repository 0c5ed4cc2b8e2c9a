#include "TransferFixture.h"
#include "output/ShowReport.h"
#include "output/Tfrm_Seluser.h"
#include "support/RecordingDestination.h"
#include "testkit/QueryRows.h"
#include "ui/RadioGroup.h"

#include <QFile>

namespace {

class TransferReports : public TransferPageTest {
protected:
    void SetUp() override {
        TransferPageTest::SetUp();
        copyReportTemplates(dir.path());
        page->reports().setDestination(&recorder);
        for (const char* table : {"bp_record_user1", "bp_record_user2"})
            dm1.adocom1.execute(QString("insert into %1(idno,personal,systolic,diastolic,"
                                        "heart_beat,checktime) values (1,'',120,80,60,"
                                        "'2024-05-02 07:00:00'),(2,'',125,82,62,"
                                        "'2024-05-02 19:00:00')")
                                    .arg(table));
        for (store::Dataset* memory : {&dm1.ado_rc1, &dm1.ado_rc2}) {
            memory->close();
            memory->open();
        }
        page->comb_user1()->setCurrentText("Adams");
        page->comb_user2()->setCurrentText("Baker");
    }

    QStringList names(const QString& table) {
        return testkit::queryRows(dm1.ADOConnection1,
                                  "select personal from " + table + " order by idno");
    }

    // The next selection dialog picks this memory, or is cancelled with -1.
    void selectMemory(int memory) {
        page->setSelUserRunner([memory](output::Tfrm_Seluser& dialog) {
            dialog.memoryChoice()->setItemIndex(std::max(memory, 0));
            return memory >= 0;
        });
    }

    RecordingDestination recorder;
};

TEST_F(TransferReports, PreviewStampsBothNamesThenShowsMemoryTwo) {
    page->img_preview_3Click();
    EXPECT_EQ(names("bp_record_user1"), QStringList({"Adams", "Adams"}));
    EXPECT_EQ(names("bp_record_user2"), QStringList({"Baker", "Baker"}));
    ASSERT_EQ(recorder.runs.size(), 1u);
    EXPECT_EQ(recorder.runs[0].destination, "preview");
    EXPECT_EQ(recorder.runs[0].templateFile, "bprecv.rav");
    EXPECT_EQ(recorder.runs[0].dataset, &dm1.ado_rc2);
    EXPECT_EQ(recorder.runs[0].rows, 2);
}

TEST_F(TransferReports, NamesAreStampedEvenWhenTheReportCannotRun) {
    QFile::remove(dir.file("bprecv.rav"));
    page->img_preview_3Click();
    EXPECT_EQ(names("bp_record_user1"), QStringList({"Adams", "Adams"}));
    EXPECT_EQ(names("bp_record_user2"), QStringList({"Baker", "Baker"}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith("error:")) << messages.shown[0].toStdString();
    EXPECT_TRUE(messages.shown[0].contains("bprecv.rav"));

    messages.shown.clear();
    dm1.ado_rc2.close();
    page->comb_user1()->setCurrentText("Baker");
    page->img_preview_3Click();
    EXPECT_EQ(names("bp_record_user1"), QStringList({"Baker", "Baker"}));
    EXPECT_EQ(messages.shown, QStringList{"inform:preview_before_table_not_open"});
    EXPECT_TRUE(recorder.runs.empty());
}

TEST_F(TransferReports, PrintGoesToTheChosenMemoryWithoutStamping) {
    selectMemory(-1);
    page->img_print_3Click();
    EXPECT_TRUE(recorder.runs.empty());
    EXPECT_TRUE(messages.shown.isEmpty());

    selectMemory(0);
    page->img_print_3Click();
    selectMemory(1);
    page->img_print_3Click();
    ASSERT_EQ(recorder.runs.size(), 2u);
    EXPECT_EQ(recorder.runs[0].dataset, &dm1.ado_rc1);
    EXPECT_EQ(recorder.runs[1].dataset, &dm1.ado_rc2);
    for (const RecordedReport& run : recorder.runs) {
        EXPECT_EQ(run.destination, "printer");
        EXPECT_EQ(run.templateFile, "bprecv.rav");
    }
    EXPECT_EQ(names("bp_record_user1"), QStringList({"", ""}));

    dm1.ado_rc1.close();
    selectMemory(0);
    page->img_print_3Click();
    EXPECT_EQ(messages.shown, QStringList{"inform:preview_before_table_not_open"});
    EXPECT_EQ(recorder.runs.size(), 2u);
}

} // namespace
