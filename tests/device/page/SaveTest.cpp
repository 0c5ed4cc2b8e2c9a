#include "TransferFixture.h"

namespace {

using namespace monitor;

const Rows adamsThree = {"Adams 142/91 80 05-02 07:00", "Adams 128/84 72 05-02 19:30",
                         "Adams 135/88 76 05-03 07:15"};

TEST_F(TransferPageTest, DownloadsBothMemoriesAndSavesEachPersonOnce) {
    choose("Adams");
    download(memories({memory1Reading}, {morning, evening, nextDay}));
    EXPECT_EQ(messages.shown, QStringList{"inform:transfer_ok"});
    for (device::MemoryBox* box : {page->memory1(), page->memory2()}) {
        EXPECT_EQ(box->gauge()->maxValue(), box->memory() == 1 ? 1 : 3);
        EXPECT_EQ(box->gauge()->progress(), box->gauge()->maxValue());
    }
    EXPECT_EQ(readings("bp_record_user2"), adamsThree);
    EXPECT_EQ(page->memory2()->grid()->shownRowCount(), 3);

    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
    EXPECT_EQ(saved(), adamsThree);

    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
    EXPECT_EQ(saved(), adamsThree);

    choose("Baker");
    save2();
    Rows both = adamsThree;
    for (const char* row : {"Baker 142/91 80 05-02 07:00", "Baker 128/84 72 05-02 19:30",
                            "Baker 135/88 76 05-03 07:15"})
        both.push_back(row);
    EXPECT_EQ(saved(), both);

    choose("Adams");
    download(memories({memory1Reading}, {morning, evening, nextDay, later}));
    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
    both.insert(both.begin() + 3, "Adams 150/95 90 06-01 08:00");
    EXPECT_EQ(saved(), both);
    // Readings already held left the memory table but stay in the grid.
    EXPECT_EQ(readings("bp_record_user2"), Rows{"Adams 150/95 90 06-01 08:00"});
    EXPECT_EQ(page->memory2()->grid()->shownRowCount(), 4);

    page->comb_user1()->setCurrentText("Baker");
    page->img_save_user1Click();
    both.insert(both.begin() + 4, "Baker 118/76 64 04-20 09:05");
    EXPECT_EQ(saved(), both);

    store::Dataset marked(dm1.ADOConnection1, store::WriteMode::Immediate);
    marked.setCommandText("select * from bp_record where delselection<>0");
    marked.open();
    EXPECT_TRUE(marked.isEmpty());
}

// After a save has removed the readings already held, saving again, also under another
// person, still works on the readings the memory table keeps.
TEST_F(TransferPageTest, SavesAgainAfterHeldReadingsLeftTheMemoryTable) {
    choose("Baker");
    download(memories({}, {morning, evening}));
    save2();
    choose("Adams");
    save2();
    download(memories({}, {morning, evening, later}));
    save2();
    ASSERT_EQ(readings("bp_record_user2"), Rows{"Adams 150/95 90 06-01 08:00"});
    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});

    choose("Baker");
    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
    EXPECT_EQ(saved(), (Rows{"Adams 142/91 80 05-02 07:00", "Adams 128/84 72 05-02 19:30",
                             "Adams 150/95 90 06-01 08:00", "Baker 142/91 80 05-02 07:00",
                             "Baker 128/84 72 05-02 19:30", "Baker 150/95 90 06-01 08:00"}));
}

TEST_F(TransferPageTest, SavingWithoutAPersonAsksForOne) {
    choose("Adams");
    download(memories({memory1Reading}, {morning}));
    page->comb_user1()->setCurrentIndex(-1);
    page->comb_user2()->setCurrentIndex(-1);
    messages.shown.clear();
    page->img_save_user1Click();
    page->img_save_user2Click();
    EXPECT_EQ(messages.shown, (QStringList{"inform:must_spec_user1", "inform:must_spec_user2"}));
    EXPECT_TRUE(saved().empty());
    EXPECT_EQ(readings("bp_record_user2"), Rows{"Adams 142/91 80 05-02 07:00"});
}

// A failed save shows the error, not the success; bp_record and the memory table stay as
// they were, and the next save copies everything again.
TEST_F(TransferPageTest, AFailedCopyLeavesEverythingAsItWas) {
    choose("Adams");
    download(memories({}, {morning, evening, nextDay}));
    save2();
    download(memories({}, {morning, evening, nextDay, later}));
    sql("create trigger full before insert on bp_record "
        "begin select raise(abort, 'disk is full'); end");
    save2();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith("error:")) << qPrintable(messages.shown[0]);
    EXPECT_TRUE(messages.shown[0].contains("disk is full"));
    EXPECT_EQ(saved(), adamsThree);
    EXPECT_EQ(readings("bp_record_user2").size(), 4u);

    sql("drop trigger full");
    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
    EXPECT_EQ(saved().size(), 4u);
}

TEST_F(TransferPageTest, AFailedNameStampSavesNothing) {
    choose("Adams");
    download(memories({}, {morning, evening}));
    choose("Baker");
    sql("create trigger locked before update on bp_record_user2 "
        "begin select raise(abort, 'table is locked'); end");
    save2();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("table is locked"));
    EXPECT_TRUE(saved().empty());
    EXPECT_EQ(readings("bp_record_user2"),
              (Rows{"Adams 142/91 80 05-02 07:00", "Adams 128/84 72 05-02 19:30"}));
    EXPECT_EQ(page->memory2()->rows().asString("personal"), "Adams");

    sql("drop trigger locked");
    save2();
    EXPECT_EQ(saved(), (Rows{"Baker 142/91 80 05-02 07:00", "Baker 128/84 72 05-02 19:30"}));
}

// The file may not grow: the save of a full memory fails part-way through its copy.
TEST_F(TransferPageTest, AFullDiskKeepsEveryEarlierReading) {
    std::vector<device::Record> full;
    for (int i = 0; i < 255; ++i)
        full.push_back(reading(1 + i / 28, 1 + i % 28, i % 24, i % 60, 100 + i % 90, 70, 60));
    choose("Adams");
    download(memories({}, {morning, evening, nextDay}));
    save2();
    download(memories({}, full));
    sql("pragma max_page_count = 1"); // no growth: the limit never goes below the file's size
    save2();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith("error:")) << qPrintable(messages.shown[0]);
    EXPECT_TRUE(messages.shown[0].contains("full")) << qPrintable(messages.shown[0]);
    EXPECT_EQ(saved(), adamsThree);
    EXPECT_EQ(readings("bp_record_user2").size(), 255u);
    store::Dataset check(dm1.ADOConnection1, store::WriteMode::Immediate);
    check.setCommandText("pragma integrity_check");
    check.open();
    EXPECT_EQ(check.valueAt(0, 0).toString(), "ok");

    sql("pragma max_page_count = 1073741823");
    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
    EXPECT_EQ(saved().size(), 3u + 255u);
}

} // namespace
