#include "StoreFixture.h"
#include "store/DatabaseError.h"
#include "store/Schema.h"
#include "store/TextCollation.h"

#include <QFile>
#include <sqlite3.h>

using namespace store;

namespace {

// The schema as earlier builds wrote it: ASCII-only NOCASE, true stored as 1, no name
// keys; the build before the keys wrote FOLDCASE in place of NOCASE. This file also
// carries a further language column and an index of its own.
const char* const earlierSchema = R"sql(
CREATE TABLE bp_record (personal TEXT COLLATE NOCASE, systolic INTEGER, diastolic INTEGER,
    heart_beat INTEGER, checktime DATETIME, checktime_mmdd TEXT COLLATE NOCASE,
    checktime_hhmm TEXT COLLATE NOCASE, delselection BOOLEAN NOT NULL DEFAULT 0);
CREATE TABLE bp_record_user1 (idno INTEGER, personal TEXT COLLATE NOCASE, systolic INTEGER,
    diastolic INTEGER, heart_beat INTEGER, checktime DATETIME,
    checktime_mmdd TEXT COLLATE NOCASE, checktime_hhmm TEXT COLLATE NOCASE);
CREATE TABLE bp_record_user2 (idno INTEGER, personal TEXT COLLATE NOCASE, systolic INTEGER,
    diastolic INTEGER, heart_beat INTEGER, checktime DATETIME,
    checktime_mmdd TEXT COLLATE NOCASE, checktime_hhmm TEXT COLLATE NOCASE);
CREATE TABLE bp_userinfo (id INTEGER, delselection BOOLEAN NOT NULL DEFAULT 0,
    lastname TEXT COLLATE NOCASE, firstname TEXT COLLATE NOCASE,
    smoker BOOLEAN NOT NULL DEFAULT 0, diabetic BOOLEAN NOT NULL DEFAULT 0);
CREATE TABLE bp_option (language_def TEXT COLLATE NOCASE);
CREATE TABLE bp_language (formname TEXT COLLATE NOCASE DEFAULT '',
    "group" TEXT COLLATE NOCASE DEFAULT '', component TEXT COLLATE NOCASE DEFAULT '',
    component_index INTEGER, showtext TEXT COLLATE NOCASE DEFAULT '',
    show_english TEXT COLLATE NOCASE DEFAULT '', show_german TEXT COLLATE NOCASE DEFAULT '',
    show_french TEXT COLLATE NOCASE DEFAULT '', show_width INTEGER,
    fieldname TEXT COLLATE NOCASE DEFAULT '', show BOOLEAN NOT NULL DEFAULT 0);
CREATE INDEX bp_record_personal_checktime ON bp_record (personal, checktime, delselection);
CREATE INDEX bp_userinfo_lastname ON bp_userinfo (lastname COLLATE NOCASE);
INSERT INTO bp_option VALUES ('default');
INSERT INTO bp_language (formname, "group", component, showtext, show_french, show)
    VALUES ('frm_main', 'caption', 'Label1', 'Person', 'Personne', 1);
INSERT INTO bp_userinfo VALUES (1, 0, 'Müller', 'Anna', 1, 0), (2, 1, 'Smith', 'Bob', 0, 0);
INSERT INTO bp_record VALUES ('Müller', 120, 80, 70, '2011-03-01 08:00:00', '03/01', '08:00', 0),
    ('MÜLLER', 121, 81, 71, '2011-03-01 08:00:00', '03/01', '08:00', 1),
    ('Smith', 130, 85, 60, '2011-03-02 08:00:00', '03/02', '08:00', 1);
DELETE FROM bp_record WHERE rowid = 1;
INSERT INTO bp_record (rowid, personal, systolic, diastolic, heart_beat, checktime)
    VALUES (7, 'müller', 119, 79, 69, '2011-03-01 08:00:00');
)sql";

// The collation an earlier build named in its file.
using Shape = const char*;

void writeEarlierFile(const QString& path, Shape collation, const char* extra = "") {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    registerTextCollation(db);
    const QByteArray schema = QByteArray(earlierSchema).replace("NOCASE", collation);
    ASSERT_EQ(sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    ASSERT_EQ(sqlite3_exec(db, extra, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class EarlierFile : public StoreFixture, public ::testing::WithParamInterface<Shape> {
protected:
    void SetUp() override { writeEarlierFile(dir.file("tonvi.mdb"), GetParam()); }

    QStringList column(const QString& sql) {
        Dataset query(db, WriteMode::Immediate);
        query.setCommandText(sql);
        query.open();
        QStringList values;
        for (int row = 0; row < query.recordCount(); ++row)
            values << query.valueAt(row, 0).toString();
        return values;
    }
};

} // namespace

TEST_P(EarlierFile, IsConvertedOnOpenAndReadsCorrectly) {
    db.open(dir.file("tonvi.mdb"));

    EXPECT_EQ(scalar("select count(*) from sqlite_master where sql like '%FOLDCASE%'").toInt(), 0);
    EXPECT_EQ(scalar("pragma integrity_check").toString(), "ok");
    EXPECT_EQ(scalar("pragma user_version").toInt(), Schema::kVersion);
    EXPECT_EQ(column("select rowid || ':' || personal || ':' || personal_key || ':' || "
                     "delselection from bp_record order by rowid"),
              QStringList({"2:MÜLLER:müller:-1", "3:Smith:smith:-1", "7:müller:müller:0"}));
    EXPECT_EQ(column("select lastname || smoker || diabetic || delselection from bp_userinfo"),
              QStringList({"Müller-100", "Smith00-1"}));
    EXPECT_EQ(column("select show_french || show from bp_language"), QStringList{"Personne-1"});
    EXPECT_EQ(column("select language_def from bp_option"), QStringList{"default"});
    EXPECT_EQ(column("select name from sqlite_master where type='index' order by name"),
              QStringList({"bp_record_personal_key", "bp_userinfo_lastname"}));

    // Case variants in every alphabet are one person, in the new order of the mark.
    EXPECT_EQ(column("select systolic from bp_record where personal='MüLLER' "
                     "order by personal,checktime,delselection"),
              QStringList({"121", "119"}));
    EXPECT_EQ(column("select lastname from bp_userinfo where lastname='MÜLLER'"),
              QStringList{"Müller"});
    Dataset marks(db, WriteMode::Immediate);
    marks.setCommandText("select delselection from bp_record order by rowid");
    marks.open();
    EXPECT_TRUE(marks.asBoolean("delselection"));

    // Opening it again changes nothing more.
    const QByteArray converted = bytesOf(dir.file("tonvi.mdb"));
    db.open(dir.file("tonvi.mdb"));
    EXPECT_EQ(bytesOf(dir.file("tonvi.mdb")), converted);
}

INSTANTIATE_TEST_SUITE_P(BothShapes, EarlierFile, ::testing::Values("NOCASE", "FOLDCASE"));

// A table in the way of the conversion: the file is reported and stays exactly as it was.
TEST(EarlierFileUnconvertible, IsLeftUnchanged) {
    for (Shape shape : {"NOCASE", "FOLDCASE"}) {
        TempAppDir dir;
        const QString path = dir.file("tonvi.mdb");
        writeEarlierFile(path, shape, "CREATE TABLE tonvi_converting (x)");
        const QByteArray before = bytesOf(path);
        Database db;
        try {
            db.open(path);
            ADD_FAILURE() << "opened";
        } catch (const DatabaseError& error) {
            EXPECT_TRUE(error.message().contains("cannot be converted"))
                << error.message().toStdString();
        }
        EXPECT_FALSE(db.isOpen());
        EXPECT_EQ(bytesOf(path), before) << shape;
        EXPECT_FALSE(QFile::exists(path + "-journal"));
    }
}

namespace {

const char* const readingTables[] = {"bp_record", "bp_record_user1", "bp_record_user2"};

// A file of the first version with name keys, whose readings tables lack the status column.
class FirstVersionFile : public StoreFixture {
protected:
    void SetUp() override {
        StoreFixture::SetUp();
        db.execute("insert into bp_record (personal, systolic, diastolic, checktime) values "
                   "('Adams', 120, 80, '2024-05-06 07:08:00')");
        db.execute("insert into bp_record_user2 (idno, personal, systolic) values (1, 'Ann', 130)");
        for (const char* table : readingTables)
            current << columns(table);
        db.close();
    }

    // `keep` names a table that has the column already, added by another program.
    void downgrade(const char* keep = "") {
        sqlite3* file = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &file), SQLITE_OK);
        for (const char* table : readingTables) {
            if (qstrcmp(table, keep) != 0)
                ASSERT_EQ(sqlite3_exec(file,
                                       QByteArray("ALTER TABLE ") + table +
                                           " DROP COLUMN measurement_status",
                                       nullptr, nullptr, nullptr),
                          SQLITE_OK);
        }
        sqlite3_exec(file, "PRAGMA user_version = 1", nullptr, nullptr, nullptr);
        sqlite3_close(file);
    }

    QString columns(const char* table) {
        return scalar(QStringLiteral("select group_concat(name || ' ' || type) from "
                                     "pragma_table_info('%1')")
                          .arg(table))
            .toString();
    }

    const QString path = dir.file("tonvi.mdb");
    QStringList current; // the columns of each readings table in a new file
};

} // namespace

// The file gets the column in the place and shape a new file has it; its rows keep theirs.
TEST_F(FirstVersionFile, GetsTheStatusColumnAndKeepsItsRows) {
    downgrade();
    db.open(path);
    EXPECT_EQ(scalar("pragma user_version").toInt(), Schema::kVersion);
    for (const QString table : {"bp_record", "bp_record_user2"})
        EXPECT_EQ(
            scalar("select personal || systolic || ifnull(measurement_status, '-') from " + table)
                .toString(),
            table == "bp_record" ? "Adams120-" : "Ann130-");
    QStringList upgraded;
    for (const char* table : readingTables)
        upgraded << columns(table);
    EXPECT_EQ(upgraded, current);
}

// The last table cannot take the column: the tables altered before it stay as they were.
TEST_F(FirstVersionFile, ThatCannotTakeTheColumnIsLeftUnchanged) {
    downgrade("bp_record_user2");
    const QByteArray before = bytesOf(path);
    EXPECT_THROW(db.open(path), DatabaseError);
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(bytesOf(path), before);
}
