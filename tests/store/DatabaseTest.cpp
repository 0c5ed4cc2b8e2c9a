#include "StoreFixture.h"
#include "store/DatabaseError.h"
#include "store/LanguageSeed.h"
#include "store/Schema.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <unistd.h>

using namespace store;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString openError(const QString& path, const FileAccess& access = FileAccess::system()) {
    Database db;
    try {
        db.open(path, access);
    } catch (const DatabaseError& error) {
        return error.message();
    }
    return {};
}

QStringList dirEntries(const QString& path) {
    return QDir(path).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

using NewDatabase = StoreFixture;

TEST_F(NewDatabase, HoldsTablesOptionRowAndEverySeedRow) {
    EXPECT_EQ(scalar("select group_concat(name) from (select name from sqlite_master "
                     "where type = 'table' order by name)")
                  .toString(),
              "bp_language,bp_option,bp_record,bp_record_user1,bp_record_user2,bp_userinfo");
    EXPECT_EQ(count("bp_option"), 1);
    EXPECT_EQ(scalar("select language_def from bp_option").toString(), "default");

    qsizetype seedRows = 0;
    for (const QString& file : LanguageSeed::files(":/seed"))
        seedRows += LanguageSeed::parse(file, QString::fromUtf8(readAll(file))).values.size();
    EXPECT_GT(seedRows, 0);
    EXPECT_EQ(count("bp_language"), seedRows);
    EXPECT_EQ(dirEntries(dir.path()), QStringList{"tonvi.mdb"});
}

TEST_F(NewDatabase, ExistingFileIsOpenedNotRecreated) {
    db.execute("insert into bp_record (personal) values ('kept')");
    Database again;
    again.open(dir.file("tonvi.mdb"));
    db.open(dir.file("tonvi.mdb"));
    EXPECT_EQ(scalar("select personal from bp_record").toString(), "kept");
    EXPECT_EQ(count("bp_option"), 1);
}

TEST(DatabaseFile, RefusesFilesThatAreNotSqliteAndLeavesThemAlone) {
    TempAppDir dir;
    const QString path = dir.file("tonvi.mdb");
    QByteArray random(4096, '\0');
    for (char& byte : random)
        byte = char(QRandomGenerator::global()->bounded(256));
    for (const QByteArray& content : {random, QByteArray("just some text\n"), QByteArray()}) {
        writeFile(path, content);
        const QString error = openError(path);
        EXPECT_TRUE(error.contains("is not an SQLite database")) << error.toStdString();
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(path)));
        EXPECT_EQ(readAll(path), content);
        EXPECT_EQ(dirEntries(dir.path()), QStringList{"tonvi.mdb"});
    }
}

TEST(DatabaseFile, RefusesSqliteFileOfAnotherApplication) {
    TempAppDir dir;
    const QString other = dir.file("other.mdb");
    {
        Database db;
        db.open(other);
        db.execute("drop table bp_userinfo");
    }
    const QByteArray before = readAll(other);
    EXPECT_TRUE(openError(other).contains("has no table bp_userinfo"));
    EXPECT_EQ(readAll(other), before);
}

TEST(DatabaseFile, ReportsWhatTheFileSystemForbids) {
    TempAppDir dir;
    const QString path = dir.file("tonvi.mdb");
    Database().open(path);
    const QByteArray before = readAll(path);
    const auto denied = [](const QString& what) {
        return [what](const QString& p) { return !p.endsWith(what); };
    };
    const auto allowed = [](const QString&) { return true; };

    EXPECT_TRUE(openError(path, {denied("tonvi.mdb"), allowed}).contains("cannot be read"));
    EXPECT_TRUE(openError(path, {allowed, denied("tonvi.mdb")}).contains("write-protected"));
    const QString dirError = openError(path, {allowed, denied(QFileInfo(dir.path()).fileName())});
    EXPECT_TRUE(dirError.contains("is not writable")) << dirError.toStdString();
    EXPECT_TRUE(dirError.contains(QDir::toNativeSeparators(dir.path())));
    EXPECT_EQ(readAll(path), before);
}

TEST(DatabaseFile, RefusesDirectoryTheUserCannotWrite) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes everywhere; ReportsWhatTheFileSystemForbids covers it";
    TempAppDir dir;
    const QString path = dir.file("tonvi.mdb");
    Database().open(path);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const QString error = openError(path);
    const QString creationError = openError(dir.file("new.mdb"));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(error.contains("is not writable")) << error.toStdString();
    EXPECT_TRUE(creationError.contains("cannot be created: the directory"))
        << creationError.toStdString();
    EXPECT_EQ(dirEntries(dir.path()), QStringList{"tonvi.mdb"});
}

TEST(DatabaseFile, FailedCreationLeavesNoFile) {
    TempAppDir app;
    TempAppDir seed;
    writeFile(seed.file("a.tsv"), "formname\tcomponent\nfrm_main\tLabel1\nbroken\n");
    try {
        Schema::createFile(app.file("tonvi.mdb"), seed.path());
        FAIL() << "creation succeeded";
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.message().contains("a.tsv, line 3")) << error.what();
    }
    EXPECT_TRUE(dirEntries(app.path()).isEmpty());

    EXPECT_TRUE(openError(app.file("missing/tonvi.mdb")).contains("does not exist"));
}

TEST_F(NewDatabase, TransactionsRollBackUnlessCommittedAndNest) {
    {
        Transaction dropped(db);
        db.execute("insert into bp_record (personal) values ('dropped')");
    }
    {
        Transaction outer(db);
        db.execute("insert into bp_record (personal) values ('outer')");
        {
            Transaction inner(db);
            db.execute("insert into bp_record (personal) values ('inner')");
        }
        outer.commit();
    }
    EXPECT_EQ(scalar("select group_concat(personal) from bp_record").toString(), "outer");
}

TEST_F(NewDatabase, ExecuteReportsEngineErrorsAndRunsOneStatementOnly) {
    try {
        db.execute("insert into no_such_table values (1)");
        FAIL();
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.message().contains("no such table")) << error.what();
    }
    EXPECT_THROW(db.execute("delete from bp_option; drop table bp_record"), DatabaseError);
    EXPECT_EQ(count("bp_option"), 1);
    EXPECT_EQ(count("bp_record"), 0);
}

TEST_F(NewDatabase, QuotedNamesRoundTripThroughStatements) {
    EXPECT_EQ(quoted("O'Brien"), "'O''Brien'");
    for (const QString name : {"O'Brien", "'; drop table bp_record; --"}) {
        db.execute("insert into bp_record (personal, systolic) values (" + quoted(name) + ", 120)");
        EXPECT_EQ(
            scalar("select personal from bp_record where personal=" + quoted(name)).toString(),
            name);
        db.execute("delete * from bp_record where personal=" + quoted(name));
        EXPECT_EQ(count("bp_record"), 0);
    }
}

TEST_F(NewDatabase, CopiedReadingHasDelselectionFalse) {
    db.execute("insert into bp_record_user1 (idno, personal, systolic, diastolic, heart_beat, "
               "checktime, checktime_mmdd, checktime_hhmm) values "
               "(1, 'Smith', 120, 80, 70, '2011-03-05 07:08:00', '03/05', '07:08')");
    db.execute("insert into bp_record(personal,systolic,diastolic,heart_beat,checktime,"
               "checktime_mmdd,checktime_hhmm) select personal,systolic,diastolic,heart_beat,"
               "checktime,checktime_mmdd,checktime_hhmm from bp_record_user1");
    Dataset readings(db, WriteMode::Immediate);
    readings.setCommandText("select delselection,personal from bp_record");
    readings.open();
    ASSERT_EQ(readings.recordCount(), 1);
    EXPECT_EQ(readings.value("DelSelection"), QVariant(false));
    EXPECT_FALSE(readings.asBoolean("delselection"));
}
