#include "HelpFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The keys of the message texts in the seed: the data module's "hint" rows of every file
// but the one that holds the titles and labels printed on the reports.
QStringList messageKeys() {
    QStringList keys;
    const QDir seed(TONVI_SOURCE_DIR "/resources/seed");
    for (const QString& name : seed.entryList({"*.tsv"}, QDir::Files)) {
        if (name == "report_texts.tsv")
            continue;
        for (const QString& line : readText(seed.filePath(name)).split('\n')) {
            const QStringList columns = line.split('\t');
            if (columns.size() > 2 && columns[0] == "dm1" && columns[1] == "hint")
                keys << columns[2];
        }
    }
    return keys;
}

// The shipped manuals: the English one and its translations.
class Manual : public ::testing::TestWithParam<const char*> {
protected:
    static QString path() { return helpfiles::shippedManual(GetParam()); }
};

TEST_P(Manual, TroubleshootingExplainsEveryMessage) {
    const QString manual = readText(path());
    const qsizetype section = manual.indexOf("id=\"troubleshooting\"");
    ASSERT_GE(section, 0);
    const QStringList keys = messageKeys();
    ASSERT_GT(keys.size(), 30);
    for (const QString& key : keys)
        EXPECT_GE(manual.indexOf("<code>" + key + "</code>", section), 0) << qPrintable(key);
}

TEST_P(Manual, EveryPictureAndSectionLinkIsThere) {
    const QString manual = readText(path());
    const QDir folder = QFileInfo(path()).dir();
    const QRegularExpression picture("<img [^>]*src=\"([^\"]+)\"");
    int pictures = 0;
    for (const QRegularExpressionMatch& match : picture.globalMatch(manual)) {
        ++pictures;
        EXPECT_TRUE(QFileInfo(folder.filePath(match.captured(1))).isFile())
            << qPrintable(match.captured(1));
    }
    EXPECT_GE(pictures, 5);

    const QRegularExpression link("href=\"#([^\"]+)\"");
    for (const QRegularExpressionMatch& match : link.globalMatch(manual))
        EXPECT_TRUE(manual.contains("id=\"" + match.captured(1) + "\""))
            << qPrintable(match.captured(1));
}

// Page help lands on a section by its anchor, so a translation keeps every one.
TEST_P(Manual, HasTheSectionsOfTheEnglishManual) {
    const QRegularExpression anchor("id=\"([^\"]+)\"");
    const auto anchors = [&](const QString& text) {
        QStringList names;
        for (const QRegularExpressionMatch& match : anchor.globalMatch(text))
            names << match.captured(1);
        return names;
    };
    EXPECT_EQ(anchors(readText(path())), anchors(readText(helpfiles::shippedManual())));
}

INSTANTIATE_TEST_SUITE_P(Languages, Manual, ::testing::Values("", "de"));

} // namespace
