// Kills the program with SIGKILL at a random moment of each writing operation, then opens
// the database as the program does: it must pass the integrity check and hold either the
// state before the operation or the state after it, never a part of it.
// TONVI_KILLS sets the kills per operation (default 50), TONVI_KILL_SEED the random seed,
// TONVI_KILL_CHILD another build of the child.
#include "crash/Readings.h"
#include "store/Database.h"
#include "store/Tdm1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>

namespace {

int envNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// Twenty persons with 100 readings each; every other reading of Person03 is marked, and
// Person05 holds the first 50 readings of the memory that the save operation brings.
void fill(const QString& dir) {
    store::Tdm1 dm1(dir);
    dm1.DataModuleCreate();
    store::Transaction transaction(dm1.ADOConnection1);
    for (int person = 0; person < 20; ++person) {
        const QString name = QStringLiteral("Person%1").arg(person, 2, 10, QLatin1Char('0'));
        dm1.adocom1.execute(QStringLiteral("insert into bp_userinfo(id,lastname,firstname,"
                                           "delselection) values(%1,'%2','F',false)")
                                .arg(person + 1)
                                .arg(name));
        for (int i = 0; i < 100; ++i)
            dm1.adocom1.execute(
                QStringLiteral("insert into bp_record(personal,systolic,diastolic,heart_beat,"
                               "checktime,delselection) values('%1',%2,70,%3,'2023-%4-%5 "
                               "07:00:00',%6)")
                    .arg(name)
                    .arg(110 + i)
                    .arg(60 + person)
                    .arg(1 + i / 28, 2, 10, QLatin1Char('0'))
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                    .arg(person == 3 && i % 2 ? "true" : "false"));
    }
    for (int i = 0; i < 50; ++i)
        dm1.adocom1.execute(QStringLiteral("insert into bp_record(personal,systolic,diastolic,"
                                           "heart_beat,checktime) values('Person05',%1)")
                                .arg(memoryReading(i)));
    transaction.commit();
}

// Every row of the tables that hold a person's data, opened as the program opens the file;
// empty when the file fails the integrity check.
QString contents(const QString& dir) {
    store::Database db;
    db.open(dir + "/tonvi.mdb");
    QString text;
    const auto collect = [](void* out, int columns, char** values, char**) {
        for (int c = 0; c < columns; ++c)
            *static_cast<QString*>(out) += QString::fromUtf8(values[c] ? values[c] : "NULL") + '|';
        *static_cast<QString*>(out) += '\n';
        return 0;
    };
    QString check;
    sqlite3_exec(db.handle(), "PRAGMA integrity_check", collect, &check, nullptr);
    if (check != "ok|\n")
        return {};
    for (const char* table :
         {"bp_userinfo", "bp_record", "bp_record_user1", "bp_record_user2", "bp_option"}) {
        const QByteArray sql = QByteArray("select * from ") + table + " order by rowid";
        sqlite3_exec(db.handle(), sql.constData(), collect, &text, nullptr);
        text += "--\n";
    }
    return text;
}

// A kill leaves the kernel's file cache as it is, so files in memory show what files on a
// disk would, without the disk's syncs.
QString scratchDir() {
    const QString shm = QStringLiteral("/dev/shm");
    return (QFileInfo(shm).isWritable() ? shm : QDir::tempPath()) + "/tonvi_kill-XXXXXX";
}

void copyDatabase(const QString& from, const QString& to) {
    QFile::remove(to + "/tonvi.mdb");
    ASSERT_TRUE(QFile::copy(from + "/tonvi.mdb", to + "/tonvi.mdb"));
}

class KillTest : public ::testing::TestWithParam<const char*> {
protected:
    // Starts the child on the database in dir and waits for it to begin the operation.
    bool start(QProcess& child, const QString& dir, bool prepareOnly = false) {
        QStringList arguments{GetParam(), dir};
        if (prepareOnly)
            arguments << "prepare";
        child.start(qEnvironmentVariable("TONVI_KILL_CHILD", TONVI_KILL_CHILD), arguments);
        if (prepareOnly)
            return child.waitForFinished(60000) && child.exitCode() == 0;
        while (!child.canReadLine()) {
            if (!child.waitForReadyRead(60000))
                return false;
        }
        return child.readLine() == "go\n";
    }

    QTemporaryDir templateDir{scratchDir()}, trialDir{scratchDir()};
};

TEST_P(KillTest, LeavesTheOperationWhollyDoneOrNotAtAll) {
    ASSERT_NO_FATAL_FAILURE(fill(templateDir.path()));

    QProcess child;
    ASSERT_NO_FATAL_FAILURE(copyDatabase(templateDir.path(), trialDir.path()));
    ASSERT_TRUE(start(child, trialDir.path(), true)) << child.readAllStandardError().data();
    const QString before = contents(trialDir.path());

    ASSERT_NO_FATAL_FAILURE(copyDatabase(templateDir.path(), trialDir.path()));
    ASSERT_TRUE(start(child, trialDir.path())) << child.readAllStandardError().data();
    ASSERT_TRUE(child.waitForFinished(60000));
    const QList<QByteArray> finished = child.readLine().trimmed().split(' ');
    ASSERT_EQ(finished.value(0), "done");
    const long duration = finished.value(1).toLong();
    ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().data();
    const QString after = contents(trialDir.path());
    ASSERT_FALSE(before.isEmpty());
    ASSERT_FALSE(after.isEmpty());
    ASSERT_NE(before, after) << "the operation changed nothing";

    const int kills = envNumber("TONVI_KILLS", 50);
    const int seed = envNumber("TONVI_KILL_SEED", 1);
    std::mt19937 random(seed);
    // From the start of the operation to its end, as the unkilled run took.
    std::uniform_int_distribution<long> delay(0, long(duration));
    int undone = 0, done = 0;
    for (int kill = 0; kill < kills; ++kill) {
        ASSERT_NO_FATAL_FAILURE(copyDatabase(templateDir.path(), trialDir.path()));
        ASSERT_TRUE(start(child, trialDir.path())) << child.readAllStandardError().data();
        QThread::usleep(delay(random));
        child.kill();
        child.waitForFinished(60000);
        const QString now = contents(trialDir.path());
        ASSERT_FALSE(now.isEmpty()) << "kill " << kill << ": the integrity check fails";
        ASSERT_TRUE(now == before || now == after)
            << "kill " << kill << " (seed " << seed << ") left a part of the operation";
        ++(now == before ? undone : done);
    }
    std::printf("%s: %d kills, %d left it undone, %d left it done; the operation takes %ld us\n",
                GetParam(), kills, undone, done, long(duration));
}

INSTANTIATE_TEST_SUITE_P(Operations, KillTest,
                         ::testing::Values("save_memory", "delete_persons", "delete_marked",
                                           "delete_all", "save_person"));

} // namespace
