#include "app/SingleInstance.h"

#include "support/FileMode.h"
#include "support/TempAppDir.h"
#include "ui/WindowFront.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Start = app::SingleInstance::Start;

// The real program on a data directory; it is killed at the end of the test if still running.
std::unique_ptr<QProcess> launch(const QString& dataDir, bool checkStart) {
    auto program = std::make_unique<QProcess>();
    QStringList arguments{"--data-dir", dataDir};
    if (checkStart)
        arguments << "--check-start";
    program->start(TONVI_EXECUTABLE, arguments);
    EXPECT_TRUE(program->waitForStarted());
    return program;
}

// Waits for the end while this process goes on serving its own sockets and windows.
bool ends(QProcess& program) {
    return QTest::qWaitFor([&] { return program.state() == QProcess::NotRunning; }, 60000) &&
           program.exitStatus() == QProcess::NormalExit;
}

TEST(SingleInstance, ASecondStartBringsTheFirstWindowToTheFrontAndEnds) {
    TempAppDir dir;
    QWidget window;
    window.showMinimized();
    app::SingleInstance first(dir.path());
    ASSERT_EQ(first.start(), Start::First);
    first.onAsked = [&window] { ui::bringToFront(window); };

    const auto second = launch(dir.path(), false);
    ASSERT_TRUE(ends(*second));
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isMinimized() && window.isActiveWindow(); }));
    EXPECT_FALSE(QFile::exists(dir.file("tonvi.mdb")));
}

TEST(SingleInstance, ASecondStartWaitsForAFirstThatIsStillStarting) {
    TempAppDir dir;
    QLockFile lock(dir.file("tonvi.lock"));
    ASSERT_TRUE(lock.tryLock());
    const auto second = launch(dir.path(), false);
    QTest::qWait(1000);
    QLocalServer first;
    ASSERT_TRUE(first.listen(app::SingleInstance::serverName(dir.path())));
    ASSERT_TRUE(first.waitForNewConnection(10000));
    QLocalSocket* asking = first.nextPendingConnection();
    EXPECT_TRUE(QTest::qWaitFor([&] { return asking->canReadLine(); }));
    EXPECT_EQ(asking->readLine(), "raise\n");
    ASSERT_TRUE(ends(*second));
    EXPECT_EQ(second->exitCode(), 0);
}

// Whether a later start on the directory would reach its program now.
bool reachable(const QString& dataDir) {
    QLocalSocket probe;
    probe.connectToServer(app::SingleInstance::serverName(dataDir));
    return probe.waitForConnected(100);
}

TEST(SingleInstance, RealProgramsKeepToTheirOwnDirectoryAndAKilledOneIsTakenOver) {
    TempAppDir root;
    const QString data = root.file("new/data");
    const QString other = root.file("other");
    std::unique_ptr<QProcess> first;
    {
        ScopedUmask umask(0);
        first = launch(data, false);
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFile::exists(QDir(data).filePath("tonvisetup.ini")); }, 60000));
    for (const char* made : {"new", "new/data"})
        EXPECT_EQ(modeOf(root.file(made)), 0700) << made;
    EXPECT_EQ(modeOf(QDir(data).filePath("tonvi.lock")), 0600);
    EXPECT_EQ(modeOf(QDir(data).filePath("tonvisetup.ini")), 0600);

    // alone: it came up itself, printed the file report and gave the lock back at its end.
    const auto expectStart = [](const QString& dir, bool alone) {
        const auto program = launch(dir, true);
        ASSERT_TRUE(ends(*program));
        EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
        EXPECT_EQ(!program->readAllStandardOutput().isEmpty(), alone) << qPrintable(dir);
        if (alone)
            EXPECT_FALSE(QFile::exists(QDir(dir).filePath("tonvi.lock")));
    };
    expectStart(data, false);
    expectStart(other, true);

    // Its lock and socket stay behind; the next program takes both over.
    first->kill();
    ASSERT_TRUE(first->waitForFinished());
    first = launch(data, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reachable(data); }, 60000));
    expectStart(data, false);
    first->kill();
    ASSERT_TRUE(first->waitForFinished());
    expectStart(data, true);
}

} // namespace
