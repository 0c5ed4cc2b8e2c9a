#include "HelpFiles.h"
#include "help/HelpBrowser.h"
#include "help/MhtArchive.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(Mht, ShowsThePageWithItsEmbeddedPictures) {
    std::optional<help::MhtArchive> archive = help::MhtArchive::parse(helpfiles::mht());
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->home(), QUrl("file:///C:/manual/TONVI_help.htm"));

    help::HelpBrowser browser;
    const QUrl home = archive->home();
    browser.showDocument(std::make_unique<help::MhtArchive>(std::move(*archive)), home);
    EXPECT_TRUE(browser.toPlainText().contains(QString::fromUtf8("Welcome to the manual.")));
    EXPECT_TRUE(browser.toPlainText().contains(QString::fromUtf8("Größe")));

    const QList<QImage> images = helpfiles::shownImages(browser);
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(images[0].size(), QSize(3, 2));
    EXPECT_EQ(images[1].size(), QSize(1, 1));
}

TEST(Mht, APageWithoutLocationResolvesItsPicturesAgainstItsOwnName) {
    QByteArray text = helpfiles::mht();
    text.replace("Content-Location: file:///C:/manual/TONVI_help.htm\r\n", "");
    text.replace("file:///C:/manual/pictures/bar.png", "pictures/bar.png");
    std::optional<help::MhtArchive> archive = help::MhtArchive::parse(text);
    ASSERT_TRUE(archive);
    EXPECT_FALSE(archive->home().isRelative());
    EXPECT_TRUE(archive->read(archive->home().resolved(QUrl("pictures/bar.png"))).isValid());
    EXPECT_TRUE(archive->read(QUrl("cid:dot@manual")).isValid());
    EXPECT_FALSE(archive->read(QUrl("cid:other@manual")).isValid());
}

TEST(Mht, APageIsReadInItsDeclaredCharset) {
    QByteArray text = helpfiles::mht();
    text.replace("charset=\"utf-8\"", "charset=\"iso-8859-1\"");
    text.replace("Gr=C3=B6=C3=9Fe", "Gr=F6=DFe");
    std::optional<help::MhtArchive> archive = help::MhtArchive::parse(text);
    ASSERT_TRUE(archive);
    EXPECT_TRUE(archive->read(archive->home()).toString().contains(QString::fromUtf8("Größe")));
}

TEST(Mht, WithoutAnHtmlPartThereIsNoDocument) {
    EXPECT_FALSE(help::MhtArchive::parse(QByteArray()));
    EXPECT_FALSE(help::MhtArchive::parse("plain words, no headers"));
    EXPECT_FALSE(help::MhtArchive::parse("Content-Type: image/png\r\n\r\nxxxx"));
}

} // namespace
