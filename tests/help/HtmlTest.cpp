#include "HelpFiles.h"
#include "help/HelpBrowser.h"
#include "help/HelpSource.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace {

class Html : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(helpfiles::write(
            dir.file("TONVI_HELP.htm"),
            "<html><body><p>Start page</p><img src=\"pics/bar.png\">"
            "<p><a href=\"more/other.htm#part\">Other page</a></p>"
            "<p><a href=\"https://example.org/x\">On the web</a></p></body></html>"));
        ASSERT_TRUE(helpfiles::write(dir.file("more/other.htm"),
                                     "<html><body><p>Other text</p></body></html>"));
        ASSERT_TRUE(helpfiles::write(dir.file("pics/bar.png"), helpfiles::png(3, 2)));
        browser.openExternal = [this](const QUrl& url) {
            external << url;
            return true;
        };
    }

    void showManual() {
        auto manual = std::make_unique<help::HtmlFile>(dir.file("TONVI_HELP.htm"));
        const QUrl home = manual->home();
        browser.showDocument(std::move(manual), home);
    }

    TempAppDir dir;
    help::HelpBrowser browser;
    QList<QUrl> external;
};

TEST_F(Html, ShowsPicturesAndFollowsRelativeLinks) {
    showManual();
    EXPECT_TRUE(browser.toPlainText().contains("Start page"));
    ASSERT_EQ(helpfiles::shownImages(browser).size(), 1);
    EXPECT_EQ(helpfiles::shownImages(browser)[0].size(), QSize(3, 2));

    ASSERT_TRUE(helpfiles::clickLink(browser, "Other page"));
    EXPECT_EQ(browser.source(),
              QUrl::fromLocalFile(dir.file("more/other.htm")).resolved(QUrl("#part")));
    EXPECT_TRUE(browser.toPlainText().contains("Other text"));
    EXPECT_TRUE(browser.isBackwardAvailable());
    browser.backward();
    EXPECT_TRUE(browser.toPlainText().contains("Start page"));
    EXPECT_TRUE(external.isEmpty());
}

TEST_F(Html, LinksLeadingOutsideGoToTheDesktop) {
    showManual();
    ASSERT_TRUE(helpfiles::clickLink(browser, "On the web"));
    EXPECT_EQ(external, QList<QUrl>{QUrl("https://example.org/x")});
    EXPECT_TRUE(browser.toPlainText().contains("Start page"));
}

TEST_F(Html, ANewDocumentStartsWithoutHistoryAndWithItsNewText) {
    showManual();
    ASSERT_TRUE(helpfiles::clickLink(browser, "Other page"));
    ASSERT_TRUE(helpfiles::write(dir.file("TONVI_HELP.htm"), "<p>Changed manual</p>"));
    showManual();
    EXPECT_TRUE(browser.toPlainText().contains("Changed manual"));
    EXPECT_FALSE(browser.isBackwardAvailable());

    ASSERT_TRUE(helpfiles::write(dir.file("TONVI_HELP.htm"), "<p>Changed again</p>"));
    showManual();
    EXPECT_TRUE(browser.toPlainText().contains("Changed again"));
}

} // namespace
