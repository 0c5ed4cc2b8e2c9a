#include "store/AppFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AppFilesTest : public ::testing::Test {
protected:
    QString makeDir(const QString& name) const {
        QDir(root.path()).mkpath(name);
        return root.filePath(name);
    }
    static void put(const QString& dir, const QString& name) {
        QFile file(QDir(dir).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir root;
};

TEST_F(AppFilesTest, ReadOnlyFilesAreLookedForInTheDataDirectoryThenInOrder) {
    const QString data = makeDir("data"), program = makeDir("bin"), installed = makeDir("share");
    const store::AppFiles files(data, {program, installed});
    put(installed, "userinfo.rav");
    EXPECT_EQ(files.find("userinfo.rav"), QDir(installed).filePath("userinfo.rav"));
    put(program, "userinfo.rav");
    EXPECT_EQ(files.find("userinfo.rav"), QDir(program).filePath("userinfo.rav"));
    put(data, "userinfo.rav"); // an edited copy of the user's
    EXPECT_EQ(files.find("userinfo.rav"), QDir(data).filePath("userinfo.rav"));
}

TEST_F(AppFilesTest, AMissingFileIsNamedInTheDataDirectory) {
    const QString data = makeDir("data"), installed = makeDir("share");
    const store::AppFiles files(data, {installed});
    EXPECT_EQ(files.find("lang.dll"), QDir(data).filePath("lang.dll"));
    EXPECT_EQ(files.writable("tonvi.mdb"), QDir(data).filePath("tonvi.mdb"));
}

TEST_F(AppFilesTest, WrittenFilesStayInTheDataDirectoryEvenWhenInstalledElsewhere) {
    const QString data = makeDir("data"), installed = makeDir("share");
    put(installed, "tonvisetup.ini");
    EXPECT_EQ(store::AppFiles(data, {installed}).writable("tonvisetup.ini"),
              QDir(data).filePath("tonvisetup.ini"));
}

} // namespace
