// The data file belongs to its user: the stock sqlite3 shell and Python's sqlite3 module
// read and write it with nothing of ours loaded, and what they write is filed correctly
// when the program opens the file again.
#include "StoreFixture.h"

#include <QProcess>
#include <QStandardPaths>

using namespace store;

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QString& tool, const QStringList& arguments, const QByteArray& input = {}) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return {-1, {}, tool + " is not installed"};
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

ToolRun shell(const QString& file, const QString& sql) {
    return runTool("sqlite3", {"-batch", "-bail", file}, sql.toUtf8());
}

// Runs the statements one by one in Python and prints each first row, tab-separated.
ToolRun python(const QString& file, const QStringList& statements) {
    const QString script = "import sqlite3, sys\n"
                           "db = sqlite3.connect(sys.argv[1])\n"
                           "for sql in sys.stdin.read().split('\\0'):\n"
                           "    rows = db.execute(sql).fetchall()\n"
                           "    print('\\t'.join(str(v) for v in rows[0]) if rows else '')\n"
                           "db.commit()\n";
    return runTool("python3", {"-c", script, file}, statements.join(QChar(0)).toUtf8());
}

class StockTools : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        db.execute("insert into bp_userinfo (id, lastname, firstname, birthday) values "
                   "(1, 'Müller', 'Anna', '1950-02-03 00:00:00'), (2, 'Иванов', 'Пётр', null), "
                   "(3, 'Ørsted', 'Ida', null), (4, 'O''Brien', 'Sé', null)");
        for (const char* name :
             {"Müller", "MÜLLER", "müller", "ИВАНОВ", "иванов", "ØRSTED", "O'Brien"})
            db.execute(QStringLiteral("insert into bp_record (personal, systolic, diastolic, "
                                      "heart_beat, checktime, checktime_mmdd, checktime_hhmm, "
                                      "delselection) values (%1, 120, 80, 60, "
                                      "'2024-05-06 07:08:00', '05/06', '07:08', -1)")
                           .arg(quoted(name)));
        db.execute(
            "insert into bp_record_user1 (idno, personal, systolic) values (1, 'ØRSTED', 1)");
        file = dir.file("tonvi.mdb");
    }

    // count, where, order by and group by on every column of every table.
    QStringList everyColumnQuery() {
        QStringList statements;
        Dataset columns(db, WriteMode::Immediate);
        columns.setCommandText("select m.name as t, p.name as c from sqlite_master m, "
                               "pragma_table_info(m.name) p where m.type = 'table'");
        columns.open();
        for (; !columns.eof(); columns.next()) {
            const QString table = columns.asString("t"), column = '"' + columns.asString("c") + '"';
            statements
                << "select count(*) from " + table
                << QStringLiteral("select count(*) from %1 where %2 = %2 or %2 > 'a'")
                       .arg(table, column)
                << QStringLiteral("select %2 from %1 order by %2 desc").arg(table, column)
                << QStringLiteral("select %2, count(*) from %1 group by %2").arg(table, column);
        }
        return statements;
    }

    QString file;
};

TEST_F(StockTools, ReadEveryColumnOfAFileTheProgramMade) {
    const QStringList statements = everyColumnQuery();
    ASSERT_GT(statements.size(), 4 * 40);
    db.close();

    const ToolRun sqlite = shell(file, statements.join(";\n") + ";\nPRAGMA integrity_check;\n");
    EXPECT_EQ(sqlite.exitCode, 0) << sqlite.err.toStdString();
    EXPECT_TRUE(sqlite.err.isEmpty()) << sqlite.err.toStdString();
    EXPECT_TRUE(sqlite.out.endsWith("ok\n")) << sqlite.out.right(200).toStdString();

    const ToolRun py = python(file, statements + QStringList{"PRAGMA integrity_check"});
    EXPECT_EQ(py.exitCode, 0) << py.err.toStdString();
    EXPECT_TRUE(py.out.endsWith("ok\n")) << py.out.right(200).toStdString();

    const ToolRun names = shell(file, "select personal_key, count(*) from bp_record group by "
                                      "personal_key order by personal_key;");
    EXPECT_EQ(names.out.toStdString(), "müller|3\no'brien|1\nørsted|1\nиванов|2\n");
}

// Rows another program writes carry no key, lose a key that does not fit, or lose it when
// their name changes; the program gives them their key at the next start, so they are
// filed under their person.
TEST_F(StockTools, RowsTheyWriteAreFiledUnderTheirPerson) {
    db.close();
    const ToolRun sqlite =
        shell(file, "insert into bp_record (personal, systolic, checktime) values "
                    "('MÜLLER', 140, '2024-05-07 08:00:00');\n"
                    "update bp_record set personal = 'ørsted' where personal = "
                    "'O''Brien';\n"
                    "insert into bp_userinfo (id, lastname) values (5, 'SMITH');\n"
                    "insert into bp_record (personal, personal_key, systolic, checktime) values "
                    "('Müller', 'smith', 150, '2024-05-08 08:00:00');\n");
    ASSERT_EQ(sqlite.exitCode, 0) << sqlite.err.toStdString();
    const ToolRun py = python(file, {"update bp_record set personal = 'ИВАНОВ' where personal = "
                                     "'Müller' and systolic = 120"});
    ASSERT_EQ(py.exitCode, 0) << py.err.toStdString();

    db.open(file);
    const auto count = [this](const char* name) {
        return scalar(QStringLiteral("select count(*) from bp_record where personal=%1")
                          .arg(quoted(name)))
            .toInt();
    };
    // Python's NOCASE moved "Müller" and "müller"; the shell added one "MÜLLER" and one
    // "Müller" with a key that does not fit.
    EXPECT_EQ(count("müller"), 3);
    EXPECT_EQ(count("Иванов"), 4);
    EXPECT_EQ(count("ØRSTED"), 2);
    EXPECT_EQ(count("o'brien"), 0);
    EXPECT_EQ(scalar("select count(*) from bp_userinfo where lastname='Smith'").toInt(), 1);
    EXPECT_EQ(scalar("select count(*) from bp_record where personal_key is null").toInt(), 0);
}

} // namespace
