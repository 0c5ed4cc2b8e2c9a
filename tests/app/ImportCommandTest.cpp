#include "store/Database.h"
#include "support/ProgramRun.h"
#include "support/TempAppDir.h"
#include "testkit/QueryRows.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// A data directory whose database knows the person Smith.
class ImportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        store::Database db;
        db.open(dir.file("tonvi.mdb"));
        db.execute("insert into bp_userinfo(id,lastname) values (1,'Smith')");
        db.execute("update bp_option set language_def='default'");
    }

    QString file(const QByteArray& bytes) {
        const QString path = dir.file("readings.csv");
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    ProgramRun import(const QByteArray& bytes, const QStringList& more = {}) {
        return runProgram(
            QStringList{"--import", file(bytes), "--person", "Smith", "--data-dir", dir.path()} +
            more);
    }

    QStringList stored() {
        store::Database db;
        db.open(dir.file("tonvi.mdb"));
        return testkit::queryRows(db, "select personal,systolic,checktime||'' from bp_record "
                                      "order by checktime");
    }

    TempAppDir dir;
};

const QByteArray kHeader = "Date,Systolic,Diastolic\n";

struct FileCase {
    const char* name;
    QByteArray lines;
    QStringList more;
    int exitCode;
    QString out;
    QString errContains;
    int stored;
};

TEST_F(ImportCommand, ExitCodeSummaryAndRejectedLines) {
    const QString none = "0 readings imported, 0 already stored and skipped, ";
    const QList<FileCase> cases{
        {"good file",
         kHeader + "2024-03-05 07:45,120,80\n2024-03-06 07:45,125,82\n",
         {},
         0,
         "2 readings imported, 0 already stored and skipped, 0 lines rejected.\n",
         "",
         2},
        {"one line rejected",
         kHeader + "2024-03-05 07:45,120,80\n2024-03-07,abc,80\n",
         {},
         0,
         "1 readings imported, 0 already stored and skipped, 1 lines rejected.\n",
         "Line 3: The systolic value is not a whole number. [abc]\n",
         1},
        {"every line rejected",
         kHeader + "2024-03-07,abc,80\n",
         {},
         1,
         none + "1 lines rejected.\n",
         "Line 2:",
         0},
        {"columns missing",
         "Day,High,Low\n2024-03-05,120,80\n",
         {},
         1,
         "",
         "The file has these columns: Day, High, Low\n",
         0},
        {"ambiguous dates",
         kHeader + "03/05/2024,120,80\n",
         {},
         1,
         "",
         "--date-order month-first",
         0},
        {"ambiguous dates with an order",
         kHeader + "03/05/2024,120,80\n",
         {"--date-order", "month-first"},
         0,
         "1 readings imported, 0 already stored and skipped, 0 lines rejected.\n",
         "",
         1},
        {"empty file", "", {}, 1, "", "empty", 0},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = import(c.lines, c.more);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(run.err.contains(c.errContains)) << run.err.toStdString();
        EXPECT_EQ(stored().size(), c.stored);
        store::Database db;
        db.open(dir.file("tonvi.mdb"));
        db.execute("delete from bp_record");
    }
}

TEST_F(ImportCommand, AFileImportedTwiceEndsWellAndStoresOnce) {
    const QByteArray lines = kHeader + "2024-03-05 07:45,120,80\n";
    EXPECT_EQ(import(lines).exitCode, 0);
    const ProgramRun again = import(lines);
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "0 readings imported, 1 already stored and skipped, 0 lines rejected.\n");
    EXPECT_EQ(stored(), QStringList{"Smith|120|2024-03-05 07:45:00"});
}

TEST_F(ImportCommand, UnknownPersonAndTheDatabaseLanguage) {
    store::Database db;
    db.open(dir.file("tonvi.mdb"));
    db.execute("update bp_option set language_def='german'");
    const ProgramRun unknown = runProgram({"--import", file(kHeader + "2024-03-05,120,80\n"),
                                           "--person", "Jones", "--data-dir", dir.path()});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("Es gibt keine Person mit dem Namen Jones."))
        << unknown.err.toStdString();
    EXPECT_EQ(
        import(kHeader + "2024-03-05,120,80\n").out,
        "1 Messwerte importiert, 0 bereits vorhanden und übersprungen, 0 Zeilen abgelehnt.\n");
}

TEST(ImportCommandUsage, UsageErrorsEndWithTwoAndCreateNoDatabase) {
    const QList<QStringList> lines{
        {"--import", "a.csv"},
        {"--import", "a.csv", "--person"},
        {"--import", "--person", "Smith"},
        {"--person", "Smith"},
        {"--import", "a.csv", "--person", "Smith", "--colour"},
        {"--import", "a.csv", "--person", "Smith", "b.csv"},
        {"--import", "a.csv", "--person", "Smith", "--date-order", "year-first"},
    };
    for (const QStringList& arguments : lines) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        TempAppDir dir;
        const ProgramRun run = runProgram(arguments + QStringList{"--data-dir", dir.path()});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains("Usage:")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_FALSE(QFile::exists(dir.file("tonvi.mdb")));
    }
}

} // namespace
