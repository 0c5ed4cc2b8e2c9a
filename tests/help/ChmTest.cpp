#include "HelpFiles.h"
#include "help/ChmArchive.h"
#include "help/HelpBrowser.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

namespace {

class Chm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(helpfiles::compileChm(
            path,
            {{"main.htm", "<html><body><h1>Main topic</h1><p><a href=\"pages/user.htm\">"
                          "Persons</a></p><img src=\"img/bar.png\"></body></html>"},
             {"pages/user.htm", "<html><body><h1>User topic</h1><p><a href=\"../main.htm\">"
                                "Back home</a></p><img src=\"../img/bar.png\"></body></html>"},
             {"img/bar.png", helpfiles::png(3, 2)}}));
    }

    TempAppDir dir;
    QString path = dir.file("TONVI_HELP.chm");
};

TEST_F(Chm, ShowsMainTopicWithPicturesAndFollowsLinksInside) {
    std::unique_ptr<help::ChmArchive> chm = help::ChmArchive::open(path);
    ASSERT_TRUE(chm);
    EXPECT_EQ(chm->home(), QUrl("chm:/main.htm"));

    help::HelpBrowser browser;
    QList<QUrl> external;
    browser.openExternal = [&external](const QUrl& url) {
        external << url;
        return true;
    };
    const QUrl home = chm->home();
    browser.showDocument(std::move(chm), home);
    EXPECT_TRUE(browser.toPlainText().contains("Main topic"));
    ASSERT_EQ(helpfiles::shownImages(browser).size(), 1);
    EXPECT_EQ(helpfiles::shownImages(browser)[0].size(), QSize(3, 2));

    ASSERT_TRUE(helpfiles::clickLink(browser, "Persons"));
    EXPECT_EQ(browser.source(), QUrl("chm:/pages/user.htm"));
    EXPECT_TRUE(browser.toPlainText().contains("User topic"));
    EXPECT_EQ(helpfiles::shownImages(browser)[0].size(), QSize(3, 2));

    ASSERT_TRUE(helpfiles::clickLink(browser, "Back home"));
    EXPECT_EQ(browser.source(), QUrl("chm:/main.htm"));
    EXPECT_TRUE(external.isEmpty());
}

TEST_F(Chm, CompiledHelpLinkFormsLeadInside) {
    std::unique_ptr<help::ChmArchive> chm = help::ChmArchive::open(path);
    ASSERT_TRUE(chm);
    EXPECT_EQ(chm->inside(QUrl("mk:@MSITStore:C:/x/TONVI_HELP.chm::/pages/user.htm#top")),
              QUrl("chm:/pages/user.htm#top"));
    EXPECT_EQ(chm->inside(QUrl("ms-its:TONVI_HELP.chm::/main.htm")), QUrl("chm:/main.htm"));
    EXPECT_EQ(chm->inside(QUrl("chm:/missing.htm")), QUrl());
    EXPECT_EQ(chm->inside(QUrl("https://example.org/")), QUrl());
}

TEST_F(Chm, WithoutMainTopicTheFirstPageIsHome) {
    ASSERT_TRUE(helpfiles::compileChm(
        path, {{"intro.htm", "<html><body>Intro</body></html>"}, {"img/bar.png", "x"}}));
    std::unique_ptr<help::ChmArchive> chm = help::ChmArchive::open(path);
    ASSERT_TRUE(chm);
    EXPECT_EQ(chm->home(), QUrl("chm:/intro.htm"));
}

TEST_F(Chm, AFileThatWouldStopOrHangTheProgramIsRefused) {
    // chmlib divides by zero on the first file and loops without end on the second.
    for (const char* name : {"division_by_zero.chm", "endless_loop.chm"})
        EXPECT_FALSE(
            help::ChmArchive::open(QString(TONVI_SOURCE_DIR "/fuzz/seeds/help_chm/") + name))
            << name;
    EXPECT_TRUE(help::ChmArchive::open(path));
}

TEST_F(Chm, FilesThatAreNoCompiledHelpAreRefused) {
    EXPECT_FALSE(help::ChmArchive::open(dir.file("absent.chm")));
    const QString junk = dir.file("junk.chm");
    ASSERT_TRUE(helpfiles::write(junk, QByteArray(5000, 'z')));
    EXPECT_FALSE(help::ChmArchive::open(junk));
    QByteArray truncated;
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        truncated = file.read(200);
    }
    ASSERT_TRUE(helpfiles::write(junk, truncated));
    EXPECT_FALSE(help::ChmArchive::open(junk));
}

} // namespace
