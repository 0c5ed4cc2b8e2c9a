#include "StoreFixture.h"
#include "store/DatabaseError.h"
#include "support/LocalZone.h"

#include <functional>
#include <optional>

using namespace store;

namespace {

class DatasetTest : public StoreFixture {
protected:
    void addReading(const QString& name, int systolic, int heartBeat,
                    const QString& checktime = "2011-03-05 07:08:00") {
        db.execute(QString("insert into bp_record (personal, systolic, diastolic, heart_beat, "
                           "checktime) values (%1, %2, 80, %3, '%4')")
                       .arg(quoted(name))
                       .arg(systolic)
                       .arg(heartBeat)
                       .arg(checktime));
    }
    void openReadings(Dataset& set, const QString& sql = "select * from bp_record") {
        set.setCommandText(sql);
        set.open();
    }
    QStringList column(Dataset& set, const QString& field) {
        QStringList values;
        for (int row = 0; row < set.recordCount(); ++row)
            values << set.valueAt(row, set.fieldIndex(field)).toString();
        return values;
    }

    Dataset immediate{db, WriteMode::Immediate};
    Dataset cached{db, WriteMode::Cached};
};

} // namespace

TEST_F(DatasetTest, CursorWalksRowsWithEofAndBof) {
    openReadings(immediate);
    EXPECT_TRUE(immediate.eof());
    EXPECT_TRUE(immediate.bof());
    EXPECT_EQ(immediate.recNo(), 0);

    addReading("a", 110, 60);
    addReading("b", 120, 61);
    addReading("c", 130, 62);
    openReadings(immediate);
    QStringList seen;
    for (immediate.first(); !immediate.eof(); immediate.next())
        seen << immediate.asString("personal");
    EXPECT_EQ(seen, QStringList({"a", "b", "c"}));
    EXPECT_EQ(immediate.recNo(), 3);
    immediate.prior();
    EXPECT_EQ(immediate.asString("personal"), "b");
    immediate.first();
    immediate.prior();
    EXPECT_TRUE(immediate.bof());
    immediate.last();
    EXPECT_TRUE(immediate.eof());
    immediate.setRecNo(2);
    EXPECT_EQ(immediate.asInteger("systolic"), 120);
}

TEST_F(DatasetTest, FieldsAreFoundWithoutRegardToCaseAndTyped) {
    db.execute("insert into bp_record_user1 (idno, personal) values (7, 'x')");
    openReadings(immediate, "select * from bp_record_user1");
    EXPECT_EQ(immediate.fieldIndex("IDNO"), immediate.fieldIndex("idno"));
    EXPECT_EQ(immediate.value("IDNO"), QVariant(7));
    EXPECT_EQ(immediate.fieldType(immediate.fieldIndex("checktime")), FieldType::DateTime);
    EXPECT_EQ(immediate.fieldType(immediate.fieldIndex("personal")), FieldType::Text);
    EXPECT_EQ(immediate.fieldCount(), 10); // the rowid stays hidden, the name key shows
    try {
        immediate.value("nosuch");
        FAIL();
    } catch (const DatabaseError& error) {
        EXPECT_EQ(error.message(), "field nosuch not found");
    }
    openReadings(immediate, "select delselection, count(*) as n from bp_record");
    EXPECT_EQ(immediate.fieldType(0), FieldType::Boolean);
    EXPECT_EQ(immediate.fieldType(1), FieldType::Unknown);
}

TEST_F(DatasetTest, DateTimeAndBooleanValuesAreStoredInTheirTextAndNumberForms) {
    openReadings(immediate);
    immediate.append();
    immediate.setValue("checktime", QDateTime(QDate(2011, 3, 5), QTime(7, 8)));
    immediate.setValue("delselection", true);
    immediate.post();
    EXPECT_EQ(scalar("select checktime || '|' || delselection from bp_record").toString(),
              "2011-03-05 07:08:00|-1");
    EXPECT_EQ(immediate.asString("checktime"), "2011-03-05 07:08:00");
    EXPECT_EQ(immediate.asDateTime("checktime"),
              QDateTime(QDate(2011, 3, 5), QTime(7, 8), Qt::UTC));
    EXPECT_TRUE(immediate.asBoolean("delselection"));
}

// Stored moments are wall-clock readings, also where the local clock skips them: the hour
// that daylight saving skips in Berlin, and a midnight that Santiago skips.
TEST_F(DatasetTest, MomentsThatTheLocalClockSkipsReadAsStored) {
    db.execute("insert into bp_record (personal, checktime) values "
               "('a', '2024-03-31 02:30:00'), ('b', '2024-09-08 00:00:00')");
    openReadings(immediate, "select * from bp_record order by personal");
    {
        const LocalZone berlin("Europe/Berlin");
        EXPECT_EQ(immediate.asDateTime("checktime"),
                  QDateTime(QDate(2024, 3, 31), QTime(2, 30), Qt::UTC));
    }
    immediate.next();
    const LocalZone santiago("America/Santiago");
    EXPECT_EQ(immediate.asDateTime("checktime"),
              QDateTime(QDate(2024, 9, 8), QTime(0, 0), Qt::UTC));
}

TEST_F(DatasetTest, ImmediateWritesAddressOneRowAmongEqualOnes) {
    addReading("twin", 120, 70);
    addReading("twin", 120, 70);
    openReadings(immediate);
    immediate.last();
    immediate.edit();
    immediate.setValue("systolic", 150);
    immediate.post();
    EXPECT_EQ(scalar("select group_concat(systolic) from (select systolic from bp_record "
                     "order by rowid)")
                  .toString(),
              "120,150");
    immediate.first();
    immediate.remove();
    EXPECT_EQ(count("bp_record"), 1);
    EXPECT_EQ(immediate.recordCount(), 1);
    EXPECT_EQ(immediate.asInteger("systolic"), 150);
}

TEST_F(DatasetTest, FailedImmediatePostKeepsTheEdit) {
    db.execute("create trigger refuse before insert on bp_record "
               "begin select raise(abort, 'refused'); end");
    openReadings(immediate);
    immediate.append();
    immediate.setValue("personal", "x");
    EXPECT_THROW(immediate.post(), DatabaseError);
    EXPECT_TRUE(immediate.isEditing());
    EXPECT_EQ(immediate.asString("personal"), "x");
    EXPECT_EQ(count("bp_record"), 0);
}

TEST_F(DatasetTest, CachedChangesLandOnlyWhenApplied) {
    addReading("old", 120, 70);
    addReading("gone", 121, 71);
    openReadings(cached, "select * from bp_userinfo");
    cached.append();
    cached.setValue("LastName", "Smith");
    cached.post();
    openReadings(immediate);
    Dataset readings(db, WriteMode::Cached);
    openReadings(readings);
    readings.edit();
    readings.setValue("systolic", 99);
    readings.post();
    readings.next();
    readings.remove();
    EXPECT_TRUE(readings.hasPendingUpdates());
    EXPECT_EQ(count("bp_userinfo"), 0);
    EXPECT_EQ(scalar("select sum(systolic) from bp_record").toInt(), 241);

    cached.applyUpdates();
    readings.applyUpdates();
    EXPECT_FALSE(readings.hasPendingUpdates());
    EXPECT_EQ(scalar("select group_concat(systolic) from bp_record").toString(), "99");
    EXPECT_EQ(scalar("select lastname || smoker from bp_userinfo").toString(), "Smith0");
    EXPECT_EQ(cached.value("smoker"), QVariant(false)); // the table's default, read back

    // The applied row knows its rowid: a later edit reaches it.
    cached.edit();
    cached.setValue("firstname", "Ann");
    cached.post();
    cached.applyUpdates();
    EXPECT_EQ(scalar("select firstname from bp_userinfo").toString(), "Ann");
}

TEST_F(DatasetTest, ApplyIsAllOrNothing) {
    addReading("a", 120, 70);
    db.execute("create trigger refuse before update on bp_record when new.systolic = 999 "
               "begin select raise(abort, 'refused'); end");
    openReadings(cached);
    cached.append();
    cached.setValue("personal", "new");
    cached.post();
    cached.first();
    cached.edit();
    cached.setValue("systolic", 999);
    cached.post();
    EXPECT_THROW(cached.applyUpdates(), DatabaseError);
    EXPECT_TRUE(cached.hasPendingUpdates());
    EXPECT_EQ(count("bp_record"), 1);
    EXPECT_EQ(scalar("select systolic from bp_record").toInt(), 120);

    db.execute("drop trigger refuse");
    cached.applyUpdates();
    EXPECT_EQ(count("bp_record"), 2);
    EXPECT_EQ(scalar("select max(systolic) from bp_record").toInt(), 999);
}

TEST_F(DatasetTest, CancelUpdatesDropsEveryPendingChange) {
    addReading("a", 120, 70);
    openReadings(cached);
    cached.edit();
    cached.setValue("systolic", 1);
    cached.post();
    cached.append();
    cached.setValue("personal", "b");
    cached.post();
    cached.cancelUpdates();
    EXPECT_FALSE(cached.hasPendingUpdates());
    EXPECT_EQ(column(cached, "systolic"), QStringList{"120"});
    cached.applyUpdates();
    EXPECT_EQ(count("bp_record"), 1);
}

// Each pending row writes the fields set on it, also after a row before it was removed.
TEST_F(DatasetTest, CachedRowsKeepTheirOwnChangedFields) {
    addReading("a", 110, 60);
    addReading("b", 120, 61);
    addReading("c", 130, 62);
    openReadings(cached);
    db.execute("update bp_record set diastolic = 77");
    cached.setRecNo(2);
    cached.edit();
    cached.setValue("systolic", 121);
    cached.post();
    cached.first();
    cached.remove();
    cached.last();
    cached.edit();
    cached.setValue("heart_beat", 99);
    cached.post();
    cached.edit();
    cached.setValue("systolic", 131);
    cached.post();
    cached.append();
    cached.setValue("personal", "d");
    cached.post();
    cached.applyUpdates();
    EXPECT_EQ(scalar("select group_concat(personal || systolic || '/' || diastolic || '/' || "
                     "ifnull(heart_beat, '-'), ' ') from bp_record")
                  .toString(),
              "b121/77/61 c131/77/99");
    EXPECT_EQ(count("bp_record"), 3);
    EXPECT_EQ(column(cached, "personal"), QStringList({"b", "c", "d"}));
}

// A list opened again shows only what its new query gives, whatever it held before.
TEST_F(DatasetTest, ReopenedListHoldsOnlyItsNewRows) {
    addReading("Anna", 110, 60, "2011-03-05 07:08:00");
    addReading("Anna", 120, 61, "2011-03-06 07:08:00");
    addReading("Bert", 130, 62, "2011-03-07 07:08:00");
    openReadings(immediate, "select personal, checktime from bp_record order by checktime");
    immediate.close();
    openReadings(immediate, "select checktime, systolic from bp_record where personal = 'Bert'");
    EXPECT_EQ(immediate.fieldCount(), 2);
    EXPECT_EQ(column(immediate, "checktime"), QStringList{"2011-03-07 07:08:00"});
    EXPECT_EQ(immediate.valueAt(0, 1), QVariant(130));
    openReadings(immediate, "select personal from bp_record order by rowid");
    EXPECT_EQ(column(immediate, "personal"), QStringList({"Anna", "Anna", "Bert"}));
}

// Any row's value read as a whole number, also the row being edited, as the cursor's.
TEST_F(DatasetTest, IntegerAtReadsAsAsIntegerDoes) {
    db.execute("create table mixed (n integer, b boolean, t text, r real)");
    db.execute("insert into mixed values (7, -1, '12', 2.5), (null, 0, 'x', null), "
               "(5000000000, 1, '', 3.0), (-3, null, ' 4', -0.5)");
    openReadings(immediate, "select * from mixed");
    const auto read = [](const std::function<int()>& number) -> std::optional<int> {
        try {
            return number();
        } catch (const DatabaseError&) {
            return std::nullopt;
        }
    };
    for (int row = 0; row < immediate.recordCount(); ++row) {
        immediate.setRecNo(row + 1);
        for (int field = 0; field < immediate.fieldCount(); ++field)
            EXPECT_EQ(read([&] { return immediate.integerAt(row, field); }),
                      read([&] { return immediate.asInteger(immediate.fieldName(field)); }))
                << row << " " << field;
    }
    immediate.edit();
    immediate.setValue("n", 42);
    EXPECT_EQ(immediate.integerAt(immediate.recNo() - 1, 0), 42);
}

TEST_F(DatasetTest, AppendGoesToTheEndAndCancelReturns) {
    addReading("b", 120, 70);
    addReading("a", 130, 70);
    openReadings(cached);
    cached.setSort("personal");
    cached.append();
    EXPECT_EQ(cached.recNo(), 3);
    cached.cancel();
    EXPECT_EQ(cached.recordCount(), 2);
    EXPECT_EQ(cached.recNo(), 2); // "b", where the cursor was
    EXPECT_EQ(cached.asString("personal"), "b");
    EXPECT_FALSE(cached.hasPendingUpdates());
}

TEST_F(DatasetTest, SortsLoadedRowsAndKeepsTheCursorsRow) {
    addReading("b", 90, 70);
    addReading("C", 120, 65);
    addReading("a", 120, 60);
    addReading("d", 120, 60);
    db.execute("insert into bp_record (personal) values (null)");
    openReadings(immediate);
    immediate.setRecNo(3);
    immediate.setSort("systolic DESC,heart_beat ASC");
    EXPECT_EQ(column(immediate, "personal"), QStringList({"a", "d", "C", "b", ""}));
    EXPECT_EQ(immediate.asString("personal"), "a");
    EXPECT_EQ(immediate.recNo(), 1);
    immediate.setSort("personal");
    EXPECT_EQ(column(immediate, "personal"), QStringList({"", "a", "b", "C", "d"}));
    immediate.setSort("");
    EXPECT_EQ(column(immediate, "personal"), QStringList({"b", "C", "a", "d", ""}));
    EXPECT_THROW(immediate.setSort("nosuch DESC"), DatabaseError);
    EXPECT_EQ(scalar("select count(*) from bp_record").toInt(), 5);
}

TEST_F(DatasetTest, LocateFindsTheFirstEqualRow) {
    addReading("Smith", 120, 70);
    addReading("O'Brien", 130, 71);
    addReading("o'brien", 140, 72);
    openReadings(immediate);
    EXPECT_TRUE(immediate.locate("PERSONAL", "O'BRIEN"));
    EXPECT_EQ(immediate.recNo(), 2);
    EXPECT_TRUE(immediate.locate("systolic", "140"));
    EXPECT_EQ(immediate.recNo(), 3);
    EXPECT_FALSE(immediate.locate("personal", "Jones"));
    EXPECT_EQ(immediate.recNo(), 3);
}

// The client folds case as the database does, in every alphabet.
TEST_F(DatasetTest, ClientOrderAndLocateFoldCaseAsTheDatabaseDoes) {
    for (const char* name : {"Zoe", "ørsted", "Müller", "Иванов", "adams", "MUSTER", "ÉMILE"})
        addReading(name, 120, 70);
    openReadings(immediate, "select * from bp_record order by personal");
    const QStringList databaseOrder = column(immediate, "personal");
    EXPECT_EQ(databaseOrder,
              QStringList({"adams", "MUSTER", "Müller", "Zoe", "ÉMILE", "ørsted", "Иванов"}));
    immediate.setSort("personal DESC");
    immediate.setSort("personal");
    EXPECT_EQ(column(immediate, "personal"), databaseOrder);

    EXPECT_TRUE(immediate.locate("personal", "ИВАНОВ"));
    EXPECT_EQ(immediate.asString("personal"), "Иванов");
    EXPECT_TRUE(immediate.locate("personal", "MÜLLER"));
    EXPECT_EQ(immediate.asString("personal"), "Müller");
    EXPECT_FALSE(immediate.locate("personal", "Muller"));
}

TEST_F(DatasetTest, OnlyPlainSingleTableSelectsCanBeWritten) {
    addReading("a", 120, 70);
    for (const char* sql : {"select personal from bp_record group by personal",
                            "select distinct personal from bp_record",
                            "select personal, avg(systolic) as s from bp_record",
                            "select a.personal from bp_record a, bp_userinfo b"}) {
        openReadings(immediate, sql);
        EXPECT_THROW(immediate.edit(), DatabaseError) << sql;
        EXPECT_THROW(immediate.append(), DatabaseError) << sql;
    }
    openReadings(immediate, "select personal, systolic from bp_record r where systolic > 100 "
                            "order by personal");
    immediate.edit();
    immediate.setValue("systolic", 121);
    immediate.post();
    EXPECT_EQ(scalar("select systolic from bp_record").toInt(), 121);
}

TEST_F(DatasetTest, NamedParametersAreBound) {
    addReading("O'Brien", 120, 70);
    addReading("Smith", 130, 70);
    immediate.setCommandText("select * from bp_record where personal = :a1");
    EXPECT_THROW(immediate.open(), DatabaseError);
    immediate.setParameter("A1", "o'brien");
    immediate.open();
    EXPECT_EQ(column(immediate, "systolic"), QStringList{"120"});
}

TEST_F(DatasetTest, DisabledControlsHearOneRefreshAtTheEnd) {
    addReading("a", 120, 70);
    addReading("b", 130, 70);
    openReadings(immediate);
    int resets = 0;
    int moves = 0;
    QObject::connect(&immediate, &Dataset::rowsReset, [&] { ++resets; });
    QObject::connect(&immediate, &Dataset::currentChanged, [&] { ++moves; });

    immediate.disableControls();
    immediate.disableControls();
    for (immediate.first(); !immediate.eof(); immediate.next()) {
    }
    immediate.setSort("personal DESC");
    immediate.enableControls();
    EXPECT_EQ(resets + moves, 0);
    immediate.enableControls();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(moves, 1);

    immediate.disableControls();
    immediate.enableControls();
    EXPECT_EQ(resets, 1);
    immediate.last();
    EXPECT_EQ(moves, 2);
    immediate.next(); // already on the last row: nothing moves
    EXPECT_EQ(moves, 2);
}
