#include "store/IniFile.h"
#include "store/PrivateFiles.h"
#include "support/FileMode.h"
#include "support/TempAppDir.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(PrivateDirectory, NewDirectoriesAndSettingsAreTheOwnersWhateverTheUmask) {
    // None, the usual ones, and one that takes the owner's own write and entry bits.
    for (const mode_t mask : {0, 022, 077, 0277}) {
        TempAppDir dir;
        const int parentMode = modeOf(dir.path());
        const QString data = dir.file("a/b/data");
        {
            ScopedUmask umask(mask);
            ASSERT_TRUE(store::makePrivateDirectories(data)) << mask;
            auto ini = store::IniFile::loadSettings(data);
            ASSERT_TRUE(ini && ini->write(u"delay", u"receidata", "20")) << mask;
        }
        for (const char* made : {"a", "a/b", "a/b/data"})
            EXPECT_EQ(modeOf(dir.file(made)), 0700) << made << " umask " << mask;
        EXPECT_EQ(modeOf(QDir(data).filePath("tonvisetup.ini")), 0600) << mask;
        EXPECT_EQ(modeOf(dir.path()), parentMode) << mask;
    }
}

TEST(PrivateDirectory, ExistingDirectoriesAndSettingsKeepTheirModes) {
    TempAppDir dir;
    const QString data = dir.file("data");
    const QString settings = dir.file("data/tonvisetup.ini");
    ASSERT_TRUE(QDir().mkdir(data));
    ASSERT_TRUE(store::IniFile::loadSettings(data)->write(u"s", u"k", "1"));
    ASSERT_EQ(::chmod(QFile::encodeName(data).constData(), 0751), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(settings).constData(), 0644), 0);
    ScopedUmask umask(077);
    EXPECT_TRUE(store::makePrivateDirectories(data));
    EXPECT_TRUE(store::makePrivateDirectories(dir.file("data/new")));
    EXPECT_TRUE(store::IniFile::loadSettings(data)->write(u"s", u"k", "2"));
    EXPECT_EQ(modeOf(data), 0751);
    EXPECT_EQ(modeOf(dir.file("data/new")), 0700);
    EXPECT_EQ(modeOf(settings), 0644);
}
