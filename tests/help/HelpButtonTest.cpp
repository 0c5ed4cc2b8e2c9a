#include "HelpFiles.h"
#include "help/HelpBrowser.h"
#include "help/HelpDesk.h"
#include "help/HelpWindow.h"
#include "support/MainWindowFixture.h"
#include "ui/ImageButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

class HelpButton : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        window->helpDesk().openExternal = [this](const QUrl& url) {
            opened << url;
            return desktopOpens;
        };
    }

    help::HelpWindow* helpWindow() const { return window->helpDesk().window(); }
    QUrl shown() const { return helpWindow()->browser()->source(); }
    bool helpShown() const { return helpWindow() && helpWindow()->isVisible(); }
    void putManual() {
        ASSERT_TRUE(QFile::copy(helpfiles::shippedManual(), dir.file("TONVI_HELP.htm")));
    }
    void put(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(helpfiles::write(dir.file(name), bytes));
    }

    static int helpWindows() {
        int count = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            count += qobject_cast<help::HelpWindow*>(top) != nullptr;
        return count;
    }

    // True when the shown page has an anchor of that name.
    bool hasAnchor(const QString& name) const {
        const QTextDocument* document = helpWindow()->browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            if (block.charFormat().anchorNames().contains(name))
                return true;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().charFormat().anchorNames().contains(name))
                    return true;
            }
        }
        return false;
    }

    QList<QUrl> opened;
    bool desktopOpens = true;
};

TEST_F(HelpButton, WithNoDocumentNothingHappens) {
    window->m_helpClick();
    window->image("img_help")->clicked();
    window->img_help_1Click();
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(window->currentPageName(), "Home");
}

TEST_F(HelpButton, OpensTheFirstFormPresentInTheHelpWindow) {
    put("TONVI_HELP.pdf", "%PDF-1.4");
    put("TONVI_help.mht", helpfiles::mht());
    putManual();
    window->m_helpClick();
    ASSERT_TRUE(helpShown());
    EXPECT_EQ(shown(), QUrl("file:///C:/manual/TONVI_help.htm"));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(helpWindow()->windowTitle(), "Help");
    EXPECT_EQ(helpWindow()->findChild<QWidget*>("tb_back")->property("text"), "Back");
}

// On a small screen the whole window, title bar included, stays on the screen.
TEST_F(HelpButton, TheHelpWindowOpensInsideTheAvailableScreenArea) {
    putManual();
    window->m_helpClick();
    ASSERT_TRUE(helpShown());
    const QRect available = helpWindow()->screen()->availableGeometry();
    const QRect placed(helpWindow()->pos(), helpWindow()->size() + QSize(16, 40));
    EXPECT_TRUE(available.contains(placed))
        << placed.width() << "x" << placed.height() << " in " << available.height();
}

TEST_F(HelpButton, PdfGoesToTheDesktopViewerAndAFailureIsReported) {
    put("TONVI_HELP.pdf", "%PDF-1.4");
    window->m_helpClick();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(dir.file("TONVI_HELP.pdf"))});
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_TRUE(messages.shown.isEmpty());

    desktopOpens = false;
    window->m_helpClick();
    EXPECT_EQ(messages.shown, QStringList{"fail:help_cannot_open"});
}

TEST_F(HelpButton, ADamagedDocumentIsReported) {
    put("TONVI_help.mht", "no mime here");
    window->m_helpClick();
    QFile::remove(dir.file("TONVI_help.mht"));
    put("TONVI_HELP.chm", QByteArray(4096, 'x'));
    window->m_helpClick();
    EXPECT_EQ(messages.shown, (QStringList{"fail:help_cannot_open", "fail:help_cannot_open"}));
    EXPECT_FALSE(helpShown());
}

TEST_F(HelpButton, SecondPressBringsBackTheOpenWindowAlsoMinimised) {
    putManual();
    window->m_helpClick();
    ASSERT_TRUE(helpShown());
    help::HelpWindow* first = helpWindow();
    const QUrl section = QUrl::fromLocalFile(dir.file("TONVI_HELP.htm")).resolved(QUrl("#data"));
    first->browser()->setSource(section);

    first->showMinimized();
    ASSERT_TRUE(first->isMinimized());
    emit window->image("n_help")->clicked();
    EXPECT_FALSE(first->isMinimized());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(helpWindow(), first);
    EXPECT_EQ(shown(), section);
    EXPECT_EQ(helpWindows(), 1);

    window->m_helpClick();
    EXPECT_EQ(helpWindows(), 1);
    EXPECT_EQ(shown(), section);
}

TEST_F(HelpButton, AClosedWindowOpensAnewAtTheStart) {
    putManual();
    window->m_helpClick();
    helpWindow()->browser()->setSource(shown().resolved(QUrl("#data")));
    helpWindow()->close();
    window->m_helpClick();
    EXPECT_TRUE(helpShown());
    EXPECT_EQ(shown(), QUrl::fromLocalFile(dir.file("TONVI_HELP.htm")));
    EXPECT_EQ(helpWindows(), 1);
}

TEST_F(HelpButton, ConfirmedExitClosesTheHelpWindow) {
    putManual();
    window->m_helpClick();
    messages.answers = {false};
    window->m_ExitClick();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(helpShown());

    window->m_ExitClick();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(helpShown());
    EXPECT_EQ(messages.shown, (QStringList{"ask:exit_application", "ask:exit_application"}));
}

TEST_F(HelpButton, PageHelpLandsOnTheSectionsOfTheManual) {
    putManual();
    emit window->image("img_help")->clicked();
    ASSERT_TRUE(helpShown());
    EXPECT_EQ(shown().fragment(), "analysis");
    EXPECT_TRUE(hasAnchor("analysis"));

    for (const char* image : {"img_help_1", "img_help_3"}) {
        helpWindow()->browser()->setSource(shown().adjusted(QUrl::RemoveFragment));
        emit window->image(image)->clicked();
        EXPECT_EQ(shown().fragment(), "user") << image;
        EXPECT_TRUE(hasAnchor("user"));
    }
    EXPECT_EQ(helpWindows(), 1);
}

// In German the German manual opens, at the same sections; English keeps the English one.
TEST_F(HelpButton, TheManualOpensInTheLanguageChosen) {
    putManual();
    ASSERT_TRUE(QFile::copy(helpfiles::shippedManual("de"), dir.file("TONVI_HELP_de.htm")));
    window->m_helpClick();
    EXPECT_EQ(shown(), QUrl::fromLocalFile(dir.file("TONVI_HELP.htm")));

    chooseLanguage("german");
    window->m_helpClick();
    EXPECT_EQ(shown(), QUrl::fromLocalFile(dir.file("TONVI_HELP.htm")))
        << "the open window is brought back as it is";
    helpWindow()->close();
    window->m_helpClick();
    EXPECT_EQ(shown(), QUrl::fromLocalFile(dir.file("TONVI_HELP_de.htm")));
    for (auto [help, section] : {std::pair{&app::Tfrm_main::img_helpClick, "analysis"},
                                 {&app::Tfrm_main::img_help_1Click, "user"}}) {
        (window.get()->*help)();
        EXPECT_EQ(shown().fileName(), "TONVI_HELP_de.htm");
        EXPECT_EQ(shown().fragment(), section);
        EXPECT_TRUE(hasAnchor(section));
    }
}

TEST_F(HelpButton, PageHelpOpensTheTopicOfTheCompiledManual) {
    putManual();
    ASSERT_TRUE(helpfiles::compileChm(dir.file("TONVI_HELP.chm"),
                                      {{"main.htm", "<html><body>Main</body></html>"},
                                       {"analysis.htm", "<html><body>Analysis topic</body></html>"},
                                       {"user.htm", "<html><body>User topic</body></html>"}}));
    window->img_helpClick();
    EXPECT_EQ(shown(), QUrl("chm:/analysis.htm"));
    EXPECT_TRUE(helpWindow()->browser()->toPlainText().contains("Analysis topic"));
    window->img_help_1Click();
    EXPECT_EQ(shown(), QUrl("chm:/user.htm"));

    ASSERT_TRUE(helpfiles::compileChm(dir.file("TONVI_HELP.chm"),
                                      {{"main.htm", "<html><body>Main</body></html>"}}));
    window->img_help_1Click();
    EXPECT_EQ(shown(), QUrl("chm:/main.htm"));

    QFile::remove(dir.file("TONVI_HELP.chm"));
    put("TONVI_HELP.pdf", "%PDF-1.4");
    window->img_help_1Click();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(dir.file("TONVI_HELP.pdf"))});
}

TEST_F(HelpButton, FindInPageGoesRoundAndSaysWhenNothingIsFound) {
    putManual();
    window->m_helpClick();
    auto* find = helpWindow()->findChild<QLineEdit*>("edt_find");
    auto* notFound = helpWindow()->findChild<QLabel*>("lbl_not_found");
    help::HelpBrowser* browser = helpWindow()->browser();

    find->setText("udev");
    helpWindow()->findNext(false);
    const int first = browser->textCursor().selectionStart();
    EXPECT_EQ(browser->textCursor().selectedText().toLower(), "udev");
    EXPECT_FALSE(notFound->isVisible());
    bool cameBack = false;
    for (int i = 0; i < 100 && !cameBack; ++i) {
        helpWindow()->findNext(false);
        cameBack = browser->textCursor().selectionStart() == first;
    }
    EXPECT_TRUE(cameBack);

    find->setText("no such words in the manual");
    helpWindow()->findNext(false);
    EXPECT_TRUE(notFound->isVisible());
}

} // namespace

namespace {

void pressKey(QWidget& target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&target, &press);
}

} // namespace

TEST_F(HelpButton, F1OpensTheHelpWhereverTheFocusIs) {
    putManual();
    pressKey(*window->findChild<QWidget*>("DBGrideh4"), Qt::Key_F1);
    ASSERT_TRUE(helpShown());
    EXPECT_EQ(window->currentPageName(), "Home");
}

TEST_F(HelpButton, AnOpenHelpWindowTakesTheNewLanguageAtOnce) {
    putManual();
    window->m_helpClick();
    ASSERT_TRUE(helpShown());
    language.chooseLanguage("german");
    window->applyLanguage();
    EXPECT_EQ(helpWindow()->windowTitle(), "Hilfe");
    EXPECT_EQ(helpWindow()->findChild<QWidget*>("tb_back")->property("text"), "Zurück");
}
