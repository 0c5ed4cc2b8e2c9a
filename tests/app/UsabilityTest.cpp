#include "app/LanguageChoice.h"
#include "device/TransferPage.h"
#include "measure/DataPage.h"
#include "persons/UserPage.h"
#include "support/MainWindowFixture.h"
#include "ui/DataGrid.h"
#include "ui/ImageButton.h"
#include "ui/Toolbar.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QWheelEvent>
#include <array>
#include <utility>

namespace {

using Usability = MainWindowFixture;

void pressKey(QWidget& target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&target, &press);
}

void choose(app::Tfrm_main& window, const QString& language) {
    QComboBox* list = window.languageChoice()->list();
    const int index = list->findData(language);
    ASSERT_GE(index, 0) << qPrintable(language);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

// The image buttons a person can use on each page: the ones that act on a click.
QList<ui::ImageButton*> visibleButtons(app::Tfrm_main& window) {
    QList<ui::ImageButton*> buttons;
    for (ui::ImageButton* image : window.findChildren<ui::ImageButton*>()) {
        if (image->isVisible() && image->focusPolicy() != Qt::NoFocus)
            buttons << image;
    }
    return buttons;
}

const QList<void (app::Tfrm_main::*)()> pageButtons{
    &app::Tfrm_main::m_homeClick, &app::Tfrm_main::m_userClick, &app::Tfrm_main::m_transferClick,
    &app::Tfrm_main::m_dataClick};

} // namespace

TEST_F(Usability, LanguageListOffersTheTextColumnsByTheirOwnNames) {
    QComboBox* list = window->languageChoice()->list();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "English");
    EXPECT_EQ(list->itemText(1), "Deutsch");
    EXPECT_EQ(list->currentData().toString(), "english");
    EXPECT_TRUE(list->isVisibleTo(window.get()));
}

TEST_F(Usability, ChoosingGermanChangesEveryPageAtOnceAndLastsAfterARestart) {
    choose(*window, "german");

    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Oberarm-Blutdruckmessgerät"));
    EXPECT_EQ(window->image("m_home")->toolTip(), "Startseite anzeigen");
    EXPECT_EQ(window->findChild<QGroupBox*>("GroupBox6")->title(), "Speicher 1");
    EXPECT_EQ(window->findChild<QComboBox*>("ComboBox3")->itemText(0), "Tabelle");
    auto* persons = window->findChild<ui::DataGrid*>("DBGrideh4");
    EXPECT_EQ(persons->column(persons->columnIndexOfField("LastName")).title, "Nachname");
    EXPECT_EQ(language.TitleText(), QString::fromUtf8("Blutdruckmessgerät"));
    // The tab of the page shown keeps its down picture.
    EXPECT_TRUE(window->image("n_home")->isDown());
    EXPECT_EQ(window->image("n_home")->picture().toImage(), pictures.load("n_home_d").toImage());

    store::Tdm1 restarted(dir.path());
    restarted.DataModuleCreate();
    lang::LanguageStore again(restarted);
    again.selectLanguage();
    EXPECT_EQ(again.languageColumn(), "show_german");

    choose(*window, "english");
    EXPECT_EQ(window->image("m_home")->toolTip(), "Show the home page");
    EXPECT_EQ(window->findChild<QGroupBox*>("GroupBox6")->title(), "Memory 1");
}

TEST_F(Usability, EveryVisibleImageButtonIsNamedInBothLanguages) {
    for (const QString& choice : {"english", "german"}) {
        choose(*window, choice);
        for (auto page : pageButtons) {
            (window.get()->*page)();
            const QList<ui::ImageButton*> buttons = visibleButtons(*window);
            EXPECT_GE(buttons.size(), 11);
            for (ui::ImageButton* button : buttons) {
                EXPECT_FALSE(button->toolTip().isEmpty()) << qPrintable(button->objectName());
                EXPECT_FALSE(button->accessibleName().isEmpty())
                    << qPrintable(button->objectName());
            }
        }
    }
    EXPECT_EQ(window->image("img_delete_selection")->accessibleName(),
              QString::fromUtf8("Markierte Messwerte löschen"));
    // Pictures that only decorate take no focus and need no name.
    EXPECT_EQ(window->image("Image12")->focusPolicy(), Qt::NoFocus);
}

TEST_F(Usability, TabReachesEveryVisibleImageButtonAndEnterActs) {
    for (auto page : pageButtons) {
        (window.get()->*page)();
        QSet<QWidget*> reached;
        QWidget* focus = window.get();
        // The chain also holds the widgets of hidden pages.
        for (int step = 0; step < 400; ++step) {
            focus = focus->nextInFocusChain();
            if (focus->isVisible() && focus->isEnabled() && (focus->focusPolicy() & Qt::TabFocus))
                reached.insert(focus);
        }
        for (ui::ImageButton* button : visibleButtons(*window))
            EXPECT_TRUE(reached.contains(button)) << qPrintable(button->objectName());
    }

    window->m_homeClick();
    ui::ImageButton* dataTab = window->image("n_data");
    dataTab->setFocus();
    pressKey(*dataTab, Qt::Key_Return);
    EXPECT_EQ(window->currentPageName(), "Analysis_Table");
    window->image("n_user")->setFocus();
    pressKey(*window->image("n_user"), Qt::Key_Space);
    EXPECT_EQ(window->currentPageName(), "User");
}

TEST_F(Usability, CtrlAndANumberShowThePages) {
    QWidget& anywhere = *window->findChild<QWidget*>("DBGrideh4");
    const QStringList pages{"Home", "User", "Transfer", "Analysis_Table"};
    for (int index : {3, 1, 2, 0}) {
        pressKey(anywhere, Qt::Key_1 + index, Qt::ControlModifier);
        EXPECT_EQ(window->currentPageName(), pages[index]);
    }
    pressKey(anywhere, Qt::Key_2, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(window->currentPageName(), "Home");
}

// Stepping through the closed language list opens it and leaves the language as it is;
// only a choice made in the list switches.
TEST_F(Usability, ArrowKeysInTheLanguageListDoNotSwitchTheLanguage) {
    QComboBox* list = window->languageChoice()->list();
    for (int key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown}) {
        pressKey(*list, key);
        EXPECT_EQ(language.languageColumn(), "showtext") << key;
        EXPECT_EQ(list->currentData().toString(), "english") << key;
        list->hidePopup();
    }
    QWheelEvent wheel({5, 5}, list->mapToGlobal(QPoint(5, 5)), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
    EXPECT_EQ(language.languageColumn(), "showtext");
    choose(*window, "german");
    EXPECT_EQ(language.languageColumn(), "show_german");
}

// A screen reader hears the main window as a window, every page's acting pictures as
// buttons, and which page tab is showing.
TEST_F(Usability, ScreenReadersHearAWindowAndButtonsAndTheTabShown) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.get())->role(), QAccessible::Window);
    for (auto show : pageButtons) {
        (window.get()->*show)();
        for (ui::ImageButton* image : visibleButtons(*window))
            EXPECT_EQ(QAccessible::queryAccessibleInterface(image)->role(), QAccessible::Button)
                << image->objectName().toStdString();
    }
    window->m_userClick();
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(window->image("n_user"))->state().checked);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(window->image("n_home"))->state().checked);
}

// Tab follows the screen: on each page the toolbar's buttons come before the lists.
TEST_F(Usability, TabReachesAPagesToolbarBeforeItsLists) {
    const std::pair<void (app::Tfrm_main::*)(), QWidget*> pages[] = {
        {&app::Tfrm_main::m_userClick, window->userPage()->toolbar()},
        {&app::Tfrm_main::m_transferClick, window->transferPage()->toolbar()},
        {&app::Tfrm_main::m_dataClick, window->dataPage()->toolbar()}};
    for (const auto& [show, toolbar] : pages) {
        (window.get()->*show)();
        QWidget* page = window->notebook()->currentWidget();
        QStringList stops;
        bool leftToolbar = false;
        QWidget* focus = window.get();
        for (int step = 0; step < 300; ++step) {
            focus = focus->nextInFocusChain();
            if (focus == window.get())
                break;
            if (!page->isAncestorOf(focus) || !focus->isVisible() || !focus->isEnabled() ||
                !(focus->focusPolicy() & Qt::TabFocus))
                continue;
            const bool onToolbar = toolbar->isAncestorOf(focus);
            EXPECT_FALSE(onToolbar && leftToolbar) << qPrintable(
                page->objectName() + ": " + stops.join(' ') + " then " + focus->objectName());
            leftToolbar = leftToolbar || !onToolbar;
            stops << focus->objectName();
        }
    }
}

// The tabs under the big buttons show the names of their pages in the language chosen.
TEST_F(Usability, TabsShowTheirPagesNamesInBothLanguages) {
    const std::array<const char*, 3> tabs[] = {{"n_home", "Home", "Startseite"},
                                               {"n_user", "Persons", "Personen"},
                                               {"n_transfer", "Transfer", "Übertragung"},
                                               {"n_data", "Data", "Messwerte"},
                                               {"n_help", "Help", "Hilfe"},
                                               {"Image11", "Exit", "Beenden"}};
    for (int german : {0, 1}) {
        choose(*window, german ? "german" : "english");
        for (const auto& [tab, english, deutsch] : tabs)
            EXPECT_EQ(window->image(tab)->caption(), QString::fromUtf8(german ? deutsch : english))
                << tab;
    }
}

// Every grid is named for a screen reader in the language chosen.
TEST_F(Usability, GridsAreNamedInBothLanguages) {
    const std::array<const char*, 3> names[] = {{"DBGrideh4", "Persons", "Personen"},
                                                {"DBGridEh1", "Readings", "Messwerte"},
                                                {"DBGridEh2", "Memory 1", "Speicher 1"},
                                                {"DBGridEh3", "Memory 2", "Speicher 2"}};
    for (int german : {0, 1}) {
        choose(*window, german ? "german" : "english");
        for (const auto& [grid, english, deutsch] : names) {
            auto* shown = window->findChild<ui::DataGrid*>(grid);
            ASSERT_NE(shown, nullptr) << grid;
            EXPECT_EQ(QAccessible::queryAccessibleInterface(shown)->text(QAccessible::Name),
                      QString::fromUtf8(german ? deutsch : english));
        }
    }
}

// The memory grids keep a hidden date-and-time column; a screen reader must not meet it.
TEST_F(Usability, MemoryGridsExposeOnlyTheirShownColumns) {
    for (const char* name : {"DBGridEh2", "DBGridEh3"}) {
        auto* grid = window->findChild<ui::DataGrid*>(name);
        ASSERT_NE(grid, nullptr) << name;
        QStringList titles;
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(grid)->tableInterface();
        for (int column = 0; column < table->columnCount(); ++column)
            titles << table->columnDescription(column);
        EXPECT_EQ(titles,
                  QStringList({"No.", "Systolic", "Diastolic", "Pulse", "Date", "Time", "Status"}))
            << name;
    }
}

// The Person and View lists of the Data page are labelled by their labels.
TEST_F(Usability, DataPageListsAreLabelledByTheirLabels) {
    window->m_dataClick();
    for (auto [list, label] : {std::pair{"comb_user", "Label1"}, {"ComboBox3", "Label35"}}) {
        QAccessibleInterface* box =
            QAccessible::queryAccessibleInterface(window->findChild<QComboBox*>(list));
        ASSERT_NE(box, nullptr) << list;
        QStringList labels;
        for (const auto& [other, relation] : box->relations(QAccessible::Label))
            labels << other->object()->objectName();
        EXPECT_EQ(labels, QStringList(label)) << list;
    }
}
