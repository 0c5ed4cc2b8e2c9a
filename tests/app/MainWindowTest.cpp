#include "device/TransferPage.h"
#include "measure/DataPage.h"
#include "support/MainWindowFixture.h"
#include "ui/ImageButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStackedWidget>

namespace {

const QStringList tabNames{"n_home", "n_user", "n_transfer", "n_data", "n_help"};

using MainWindow = MainWindowFixture;

bool samePicture(const QPixmap& a, const QPixmap& b) {
    return a.toImage() == b.toImage();
}

void expectOnlyTabDown(app::Tfrm_main& window, const QString& downTab) {
    for (const QString& name : tabNames) {
        ui::ImageButton* tab = window.image(name);
        const bool down = name == downTab;
        EXPECT_EQ(tab->isDown(), down) << qPrintable(name);
        EXPECT_EQ(tab->y(), down ? app::Tfrm_main::TabDownTop : app::Tfrm_main::TabUpTop)
            << qPrintable(name);
    }
}

TEST_F(MainWindow, StartsOnHomeWithOnlyTheHomeTabDown) {
    EXPECT_EQ(window->currentPageName(), "Home");
    expectOnlyTabDown(*window, "n_home");
    EXPECT_TRUE(samePicture(window->image("n_home")->picture(), pictures.load("n_home_d")));
    EXPECT_EQ(window->objectName(), "frm_main");
    EXPECT_FALSE(window->windowIcon().pixmap(32).isNull());
}

TEST_F(MainWindow, EachButtonShowsItsPageAndMovesTheTab) {
    window->m_userClick();
    EXPECT_EQ(window->currentPageName(), "User");
    expectOnlyTabDown(*window, "n_user");
    EXPECT_TRUE(samePicture(window->image("n_home")->picture(), pictures.load("n_home")));
    EXPECT_TRUE(samePicture(window->image("n_user")->picture(), pictures.load("n_user_d")));

    window->m_transferClick();
    EXPECT_EQ(window->currentPageName(), "Transfer");
    expectOnlyTabDown(*window, "n_transfer");

    window->m_dataClick();
    EXPECT_EQ(window->currentPageName(), "Analysis_Table");
    expectOnlyTabDown(*window, "n_data");

    window->m_dataClick();
    expectOnlyTabDown(*window, "n_data");

    window->m_homeClick();
    EXPECT_EQ(window->currentPageName(), "Home");
    expectOnlyTabDown(*window, "n_home");
}

TEST_F(MainWindow, HelpSwitchesNoPage) {
    window->m_transferClick();
    window->m_helpClick();
    EXPECT_EQ(window->currentPageName(), "Transfer");
}

TEST_F(MainWindow, PageSwitchStretchesTheToolbarBackground) {
    ui::ImageButton* background = window->image("Image9");
    EXPECT_FALSE(background->stretch());
    window->m_transferClick();
    EXPECT_TRUE(background->stretch());
    EXPECT_EQ(background->size(), background->parentWidget()->size());
}

// Every row of the header band is as wide as a widened window.
TEST_F(MainWindow, HeaderBandStretchesWithTheWindow) {
    window->resize(1180, 600);
    QApplication::processEvents();
    for (const char* name : {"Image5", "Image6", "Image3"}) {
        ui::ImageButton* background = window->image(name);
        EXPECT_TRUE(background->stretch()) << name;
        EXPECT_EQ(background->width(), window->width()) << name;
    }
}

// The window comes back where and as large as it was when the program ended.
TEST_F(MainWindow, PlaceAndSizeAreKeptBetweenStarts) {
    window->setGeometry(30, 40, 700, 480);
    messages.answers = {true};
    window->m_ExitClick();
    window = std::make_unique<app::Tfrm_main>(context);
    window->show();
    EXPECT_EQ(window->geometry(), QRect(30, 40, 700, 480));
}

TEST_F(MainWindow, PressedLookFollowsTheMouse) {
    ui::ImageButton* user = window->image("m_user");
    emit user->pressed();
    EXPECT_TRUE(user->isDown());
    EXPECT_TRUE(samePicture(user->picture(), pictures.load("m_user_d")));
    emit user->left();
    EXPECT_FALSE(user->isDown());
    EXPECT_TRUE(samePicture(user->picture(), pictures.load("m_user")));

    // Leaving a button that is not pressed loads nothing.
    QPixmap marker(4, 4);
    marker.fill(Qt::red);
    user->setPicture(marker);
    emit user->left();
    EXPECT_TRUE(samePicture(user->picture(), marker));
}

TEST_F(MainWindow, CtrlF2RunsTheFormTextDumpWhateverShiftAndAlt) {
    int dumps = 0;
    window->formTextDump = [&dumps](QWidget&) { ++dumps; };
    QKeyEvent ctrlF2(QEvent::KeyPress, Qt::Key_F2, Qt::ControlModifier);
    QKeyEvent ctrlShiftF2(QEvent::KeyPress, Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier);
    QKeyEvent plainF2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QWidget* focus = window->image("m_home");
    QApplication::sendEvent(focus, &ctrlF2);
    QApplication::sendEvent(focus, &ctrlShiftF2);
    QApplication::sendEvent(focus, &plainF2);
    EXPECT_EQ(dumps, 2);
}

TEST_F(MainWindow, ExitAsksAndNoKeepsTheWindow) {
    window->m_transferClick();
    messages.answers = {false};
    window->m_ExitClick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->currentPageName(), "Transfer");
    messages.answers = {true};
    window->m_ExitClick();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(messages.shown, QStringList({"ask:exit_application", "ask:exit_application"}));
}

TEST_F(MainWindow, ResizeGivesHalfHeightsRoundedDown) {
    auto* memoryPanel = window->transferPage()->findChild<QWidget*>("Panel2");
    memoryPanel->setFixedHeight(301);
    auto* memory1 = memoryPanel->findChild<QWidget*>("GroupBox6");
    auto* pulse = new QWidget(window->dataPage());
    pulse->setObjectName("Line_Chart");
    auto* pressure = new QWidget(window->dataPage());
    pressure->setObjectName("Line_Chart2");

    window->resize(792, 547);
    window->FormResize();
    EXPECT_EQ(memory1->height(), 150);
    EXPECT_EQ(pulse->height(), window->notebook()->height() / 2);
    EXPECT_EQ(pressure->height(), pulse->height());
}

} // namespace
