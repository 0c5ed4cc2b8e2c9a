#include "app/LanguageChoice.h"
#include "support/MainWindowFixture.h"
#include "ui/DataGrid.h"
#include "ui/ImageButton.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QStackedWidget>

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
