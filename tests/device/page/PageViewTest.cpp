#include "TransferFixture.h"
#include "lang/FormTexts.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTest>

namespace {

using namespace monitor;

// Clicking a title: ascending, then descending; the Number title sorts nothing.
TEST_F(TransferPageTest, TitleClicksSortTheDownloadedRows) {
    download(memories({}, {morning, evening, nextDay, later}));
    const QStringList downloaded{"142", "128", "135", "150"};
    ui::DataGrid* grid = page->memory2()->grid();
    auto clickTitle = [grid](const QString& field) {
        emit grid->horizontalHeader()->sectionClicked(grid->columnIndexOfField(field));
    };
    const int systolic = 1;
    const int pulse = 3;

    clickTitle("IDNO");
    EXPECT_EQ(shownColumn(systolic), downloaded);
    EXPECT_EQ(page->memory2()->rows().sort(), "");

    clickTitle("systolic");
    EXPECT_EQ(shownColumn(systolic), (QStringList{"128", "135", "142", "150"}));
    clickTitle("systolic");
    EXPECT_EQ(shownColumn(systolic), (QStringList{"150", "142", "135", "128"}));
    EXPECT_EQ(page->memory2()->rows().sort(), "systolic DESC");

    clickTitle("heart_beat");
    EXPECT_EQ(shownColumn(pulse), (QStringList{"72", "76", "80", "90"}));
    clickTitle("IDNO");
    EXPECT_EQ(shownColumn(pulse), (QStringList{"72", "76", "80", "90"}));
}

// Clearing asks first: No changes nothing; Yes empties the memory and its gauge, which
// keeps its maximum.
TEST_F(TransferPageTest, ClearsAMemoryOnlyWhenTheAnswerIsYes) {
    const std::pair<device::MemoryBox*, void (device::TransferPage::*)()> clears[] = {
        {page->memory1(), &device::TransferPage::img_delete_user1Click},
        {page->memory2(), &device::TransferPage::img_delete_user2Click}};
    for (auto [box, clear] : clears) {
        SCOPED_TRACE(box->memory());
        choose("Adams");
        download(memories({memory1Reading, memory1Reading}, {morning, evening}));
        const Rows held = readings(box->table());
        ASSERT_EQ(held.size(), 2u);
        const QString question = QStringLiteral("ask:delete_user%1_bprecord").arg(box->memory());

        messages.answers = {false};
        (page->*clear)();
        EXPECT_EQ(messages.shown, (QStringList{"inform:transfer_ok", question}));
        EXPECT_EQ(readings(box->table()), held);
        EXPECT_EQ(box->grid()->shownRowCount(), 2);
        EXPECT_EQ(box->gauge()->progress(), 2);

        messages.answers = {true};
        (page->*clear)();
        EXPECT_TRUE(readings(box->table()).empty());
        EXPECT_EQ(box->grid()->shownRowCount(), 0);
        EXPECT_EQ(box->gauge()->progress(), 0);
        EXPECT_EQ(box->gauge()->maxValue(), 2);
    }
}

// A one-memory monitor puts everything into memory 1: its box and buttons show, and the
// readings can be saved; once memory 1 is empty the page looks as before.
TEST_F(TransferPageTest, MemoryOneShowsWhileItHoldsReadings) {
    const auto shown = [this] {
        QStringList names;
        for (const char* name :
             {"GroupBox6", "img_save_user1", "img_delete_user1", "img_user1_save_as"})
            if (!page->findChild<QWidget*>(QLatin1String(name))->isHidden())
                names << name;
        return names;
    };
    lang::SetFormText(*window, language, pictures);
    window->m_homeClick();
    window->resize(800, 640); // while the page is out of sight
    window->m_transferClick();
    EXPECT_EQ(shown(), QStringList{});
    choose("Adams");
    device::Scenario one = memories({memory1Reading, morning}, {evening});
    one.layout = device::kLayoutOne;
    download(one);
    EXPECT_EQ(shown(), (QStringList{"GroupBox6", "img_save_user1", "img_delete_user1",
                                    "img_user1_save_as"}));
    EXPECT_EQ(page->memory2()->title(), "Memory 2");
    EXPECT_EQ(page->memory1()->height(), page->findChild<QWidget*>("Panel2")->height() / 2);
    page->img_save_user1Click();
    EXPECT_EQ(saved(), (Rows{"Adams 118/76 64 04-20 09:05", "Adams 142/91 80 05-02 07:00"}));

    download(memories({}, {evening}));
    EXPECT_EQ(shown(), QStringList{});
    EXPECT_EQ(page->memory2()->title(), "");
    download(one);
    page->img_delete_user1Click();
    EXPECT_EQ(shown(), QStringList{});
    window->m_transferClick();
    EXPECT_EQ(page->memory2()->title(), "");
}

TEST_F(TransferPageTest, TakesItsTextsFromTheLanguageTable) {
    chooseLanguage("german");
    lang::SetFormText(*window, language, pictures);
    for (device::MemoryBox* box : {page->memory1(), page->memory2()}) {
        EXPECT_EQ(box->grid()->shownTitles(), (QStringList{"Nr.", "Systolisch", "Diastolisch",
                                                           "Puls", "Datum", "Uhrzeit", "Status"}));
        const QString progress = QStringLiteral("lbl_progress%1").arg(box->memory());
        EXPECT_EQ(box->findChild<QLabel*>(progress)->text(), "Fortschritt");
    }
    EXPECT_EQ(page->memory1()->title(), "Speicher 1");
    window->m_transferClick();
    EXPECT_TRUE(page->memory1()->isHidden());
    EXPECT_EQ(page->memory2()->title(), "");
}

} // namespace

// From memory 1's person box, Tab passes both grids and reaches memory 2's person box.
TEST_F(TransferPageTest, TabReachesBothPersonBoxesAndPassesBothGrids) {
    download(memories({memory1Reading}, {morning, evening}));
    window->show();
    QApplication::setActiveWindow(window.get());
    page->comb_user1()->setFocus();
    QStringList visited;
    for (int step = 0; step < 40 && !visited.contains("comb_user2"); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_TRUE(visited.contains("DBGridEh2")) << visited.join(' ').toStdString();
    EXPECT_TRUE(visited.contains("comb_user2")) << visited.join(' ').toStdString();
}
