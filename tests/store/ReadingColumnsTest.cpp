#include "store/ReadingColumns.h"

#include "StoreFixture.h"
#include "sql/DialectStatements.h"

using namespace store;

namespace {

using ReadingTables = StoreFixture;

// Every readings table holds its columns in table order, each read back as its kind; the
// columns of later versions follow the name key.
TEST_F(ReadingTables, HoldTheirColumnsAsTheirKinds) {
    const std::pair<const char*, ReadingTable> tables[] = {
        {"bp_record", ReadingTable::Saved},
        {"bp_record_user1", ReadingTable::Memory},
        {"bp_record_user2", ReadingTable::Memory}};
    for (const auto& [table, shape] : tables) {
        SCOPED_TRACE(table);
        Dataset rows(db, WriteMode::Immediate);
        rows.setCommandText(QStringLiteral("select * from ") + table);
        rows.open();
        QStringList names = readingColumnNames(shape);
        names.insert(names.indexOf("measurement_status"), "personal_key");
        ASSERT_EQ(rows.fieldCount(), names.size());
        for (int i = 0; i < names.size(); ++i) {
            EXPECT_EQ(rows.fieldName(i), names[i]);
            if (names[i] != "personal_key")
                EXPECT_EQ(rows.fieldType(i), readingColumn(names[i]).kind)
                    << names[i].toStdString();
        }
    }
}

// Other tools read the declarations with nothing of ours: the name key is plain text.
TEST_F(ReadingTables, KeepTheirDeclarations) {
    const QString shared = "    personal       TEXT COLLATE NOCASE,\n"
                           "    systolic       INTEGER,\n"
                           "    diastolic      INTEGER,\n"
                           "    heart_beat     INTEGER,\n"
                           "    checktime      DATETIME,\n"
                           "    checktime_mmdd TEXT,\n"
                           "    checktime_hhmm TEXT";
    const QString key = ",\n    personal_key   TEXT,\n    measurement_status INTEGER\n)";
    const QString memory =
        "CREATE TABLE bp_record_user1 (\n    idno           INTEGER,\n" + shared + key;
    const QString saved = "CREATE TABLE bp_record (\n" + shared +
                          ",\n    delselection   BOOLEAN NOT NULL DEFAULT 0" + key;
    const auto declared = [this](const QString& table) {
        return scalar("select sql from sqlite_master where name='" + table + "'").toString();
    };
    EXPECT_EQ(declared("bp_record"), saved);
    EXPECT_EQ(declared("bp_record_user1"), memory);
    EXPECT_EQ(declared("bp_record_user2"), QString(memory).replace("user1", "user2"));
}

TEST(ReadingStatements, AreTheDialectStatementsOfBothMemories) {
    for (const QString table : {"bp_record_user1", "bp_record_user2"}) {
        EXPECT_EQ(removeHeldReadings(table), dialect::joinedDelete(table));
        EXPECT_EQ(copyReadings(table), dialect::copyToRecord(table));
    }
}

} // namespace
