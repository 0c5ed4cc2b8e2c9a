#include "app/FilePlacement.h"

#include "app/CommandLine.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// An executable directory bin/ whose writability the test decides, as it must when the
// tests run as root, who may write everywhere.
class FilePlacementTest : public ::testing::Test {
protected:
    FilePlacementTest() { QDir(root.path()).mkpath("bin"); }

    app::Placement placement(bool writable, std::optional<QString> option = {}) const {
        return {bin(), root.filePath("home/.local/share/tonvi"), std::move(option),
                [this, writable](const QString& dir) {
                    EXPECT_EQ(dir, bin());
                    return writable;
                }};
    }
    QString bin() const { return root.filePath("bin"); }
    QString installedData() const { return QDir::cleanPath(root.filePath("share/tonvi")); }

    QTemporaryDir root;
};

TEST_F(FilePlacementTest, AWritableExecutableDirectoryKeepsEverythingBesideTheProgram) {
    const store::AppFiles files = app::placeFiles(placement(true));
    EXPECT_EQ(files.dataDir(), bin());
    EXPECT_EQ(files.readOnlyDirs(), QStringList{installedData()});
}

TEST_F(FilePlacementTest, AReadOnlyExecutableDirectoryUsesTheUserDataDirectory) {
    const store::AppFiles files = app::placeFiles(placement(false));
    EXPECT_EQ(files.dataDir(), root.filePath("home/.local/share/tonvi"));
    EXPECT_EQ(files.readOnlyDirs(), (QStringList{bin(), installedData()}));
}

TEST_F(FilePlacementTest, AnInstalledProgramNeverWritesBesideItsExecutable) {
    QDir(root.path()).mkpath("share/tonvi");
    EXPECT_EQ(app::placeFiles(placement(true)).dataDir(), root.filePath("home/.local/share/tonvi"));
}

TEST_F(FilePlacementTest, TheDataDirectoryOptionOverridesBoth) {
    const QString chosen = root.filePath("elsewhere");
    for (bool writable : {true, false}) {
        const store::AppFiles files = app::placeFiles(placement(writable, chosen));
        EXPECT_EQ(files.dataDir(), chosen);
        EXPECT_EQ(files.readOnlyDirs(), (QStringList{bin(), installedData()}));
    }
}

TEST_F(FilePlacementTest, ARelativeDataDirectoryIsTakenFromTheWorkingDirectory) {
    EXPECT_EQ(app::placeFiles(placement(true, QStringLiteral("mine"))).dataDir(),
              QDir::current().absoluteFilePath("mine"));
}

TEST(CommandLine, DataDirectoryInBothSpellings) {
    EXPECT_EQ(app::parseCommandLine({"tonvi", "--data-dir", "/d"}).dataDir, "/d");
    EXPECT_EQ(app::parseCommandLine({"tonvi", "--data-dir=/e", "--simulate-monitor"}).dataDir,
              "/e");
    EXPECT_FALSE(app::parseCommandLine({"tonvi", "--simulate-monitor"}).dataDir);
}

TEST(CommandLine, DataDirectoryWithoutANameIsRefused) {
    EXPECT_THROW(app::parseCommandLine({"tonvi", "--data-dir"}), app::UsageError);
    EXPECT_THROW(app::parseCommandLine({"tonvi", "--data-dir="}), app::UsageError);
}

TEST(CommandLine, CheckStart) {
    EXPECT_TRUE(app::parseCommandLine({"tonvi", "--check-start"}).checkStart);
    EXPECT_FALSE(app::parseCommandLine({"tonvi"}).checkStart);
}

} // namespace
