#include "HelpFiles.h"
#include "help/HelpDocuments.h"
#include "support/TempAppDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using help::ManualKind;

class Documents : public ::testing::Test {
protected:
    void put(const QString& name) { ASSERT_TRUE(helpfiles::write(dir.file(name), "x")); }
    std::optional<ManualKind> manual() const {
        const auto found = help::findManual(dir.path());
        return found ? std::optional(found->kind) : std::nullopt;
    }
    std::optional<ManualKind> pageManual() const {
        const auto found = help::findPageManual(dir.path());
        return found ? std::optional(found->kind) : std::nullopt;
    }

    TempAppDir dir;
};

TEST_F(Documents, HelpTakesMhtThenChmThenHtmThenPdf) {
    EXPECT_EQ(manual(), std::nullopt);
    for (const char* name : {"TONVI_HELP.pdf", "TONVI_HELP.htm", "TONVI_HELP.chm"})
        put(name);
    EXPECT_EQ(manual(), ManualKind::Chm);
    put("TONVI_help.mht");
    EXPECT_EQ(manual(), ManualKind::Mht);
    EXPECT_EQ(help::findManual(dir.path())->path, dir.file("TONVI_help.mht"));

    QFile::remove(dir.file("TONVI_help.mht"));
    QFile::remove(dir.file("TONVI_HELP.chm"));
    EXPECT_EQ(manual(), ManualKind::Html);
    QFile::remove(dir.file("TONVI_HELP.htm"));
    EXPECT_EQ(manual(), ManualKind::Pdf);
}

TEST_F(Documents, NamesAreTakenAsTheyStand) {
    for (const char* name :
         {"TONVI_HELP.mht", "tonvi_help.chm", "TONVI_help.htm", "TONVI_HELP.PDF"})
        put(name);
    EXPECT_EQ(manual(), std::nullopt);
    EXPECT_EQ(pageManual(), std::nullopt);
}

TEST_F(Documents, AFolderOfThatNameIsNoDocument) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("TONVI_help.mht"));
    put("TONVI_HELP.htm");
    EXPECT_EQ(manual(), ManualKind::Html);
}

TEST_F(Documents, PageHelpTakesChmThenPdfThenTheOtherForms) {
    put("TONVI_help.mht");
    put("TONVI_HELP.htm");
    EXPECT_EQ(pageManual(), ManualKind::Mht);
    put("TONVI_HELP.pdf");
    EXPECT_EQ(pageManual(), ManualKind::Pdf);
    put("TONVI_HELP.chm");
    EXPECT_EQ(pageManual(), ManualKind::Chm);
}

// A manual in the language asked for comes before every English one; English, or a
// language without its own manual, gets the English manual.
TEST_F(Documents, TheManualInTheLanguageAskedForComesFirst) {
    put("TONVI_HELP.chm");
    put("TONVI_HELP_de.htm");
    put("TONVI_HELP_fr.pdf");
    EXPECT_EQ(help::findManual(dir.path(), "de")->path, dir.file("TONVI_HELP_de.htm"));
    EXPECT_EQ(help::findPageManual(dir.path(), "de")->path, dir.file("TONVI_HELP_de.htm"));
    EXPECT_EQ(help::findManual(dir.path())->path, dir.file("TONVI_HELP.chm"));
    EXPECT_EQ(help::findManual(dir.path(), "es")->path, dir.file("TONVI_HELP.chm"));
    put("TONVI_help_de.mht");
    EXPECT_EQ(help::findManual(dir.path(), "de")->kind, ManualKind::Mht);
    EXPECT_EQ(help::findPageManual(dir.path(), "fr")->path, dir.file("TONVI_HELP_fr.pdf"));
}

} // namespace
