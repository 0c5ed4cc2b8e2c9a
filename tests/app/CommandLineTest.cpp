#include "app/FilePlacement.h"
#include "support/ProgramRun.h"
#include "support/TempAppDir.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

// HOME and XDG_DATA_HOME point into an empty folder, so anything the program writes shows.
QProcessEnvironment homeIn(const TempAppDir& home) {
    QProcessEnvironment environment;
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.file("data"));
    environment.insert("XDG_CONFIG_HOME", home.file("config"));
    return environment;
}

TEST(CommandLine, ExitCodesAndOutputsWithoutADisplayAndWithoutFiles) {
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* out;
        const char* err;
    };
    const QList<Case> cases{
        {{"--help"}, 0, "--export FORMAT", ""},
        {{"-h"}, 0, "--date-order", ""},
        {{"--version"}, 0, "tonvi 0.", ""},
        {{"--data-dir", "/x", "--version"}, 0, "GPL-3.0-or-later", ""},
        {{"--colour"}, 2, "", "Unknown option: --colour"},
        {{"stray"}, 2, "", "Unknown option: stray"},
        {{"--check-start", "--simulate-monitor", "-x"}, 2, "", "Unknown option: -x"},
        {{"--data-dir"}, 2, "", "--data-dir needs a value"},
        {{"-platform"}, 2, "", "-platform needs a value"},
        {{"--check-start", "--import", "a.csv", "--person", "S"}, 2, "", "--check-start"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        TempAppDir home;
        const ProgramRun run = runProgram(c.arguments, homeIn(home));
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(c.out)) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
        EXPECT_EQ(run.err.contains("Usage:"), c.exitCode == 2);
        EXPECT_TRUE(QDir(home.path()).isEmpty()) << "files were made";
    }
}

TEST(CommandLine, CheckStartRunsWithoutADisplayAndNamesWhyTheDataFolderCannotBeMade) {
    TempAppDir home;
    const ProgramRun started = runProgram({"--check-start", "--data-dir", home.file("d")});
    EXPECT_EQ(started.exitCode, 0) << started.err.toStdString();
    EXPECT_TRUE(started.out.contains("tonvi.mdb")) << started.out.toStdString();

    QFile blocker(home.file("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    for (const QStringList& arguments :
         {QStringList{"--check-start"}, QStringList{"--import", "a.csv", "--person", "S"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ProgramRun refused =
            runProgram(arguments + QStringList{"--data-dir", home.file("file/d")});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains("cannot be created: Not a directory"))
            << refused.err.toStdString();
    }
}

TEST(CommandLine, ARelativeDataHomeIsIgnored) {
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    const QString home = QDir::homePath();
    qputenv("XDG_DATA_HOME", "relative/data");
    const QString relative = app::userDataDir();
    qputenv("XDG_DATA_HOME", "/abs/data");
    const QString absolute = app::userDataDir();
    qputenv("XDG_DATA_HOME", before);
    EXPECT_TRUE(QDir::isAbsolutePath(relative)) << relative.toStdString();
    EXPECT_TRUE(relative.startsWith(home + "/.local/share/")) << relative.toStdString();
    EXPECT_TRUE(absolute.startsWith("/abs/data/")) << absolute.toStdString();
}

} // namespace
