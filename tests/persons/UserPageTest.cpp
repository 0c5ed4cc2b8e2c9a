#include "PersonsFixture.h"
#include "support/Mouse.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

using UserPage = PersonsTest;

const QStringList kReadingTables{"bp_record", "bp_record_user1", "bp_record_user2"};

void clickCell(ui::DataGrid& grid, int row, const QString& field) {
    const QModelIndex cell = grid.model()->index(row, grid.columnIndexOfField(field));
    click(grid.viewport(), grid.visualRect(cell).center());
}

bool ticked(store::Dataset& persons, int recNo) {
    persons.setRecNo(recNo);
    return persons.asBoolean("delselection");
}

TEST_F(UserPage, ShowsTheRegisterWithTheGridTitlesOfTheLanguage) {
    addPersons({"Smith", "Jones"});
    ui::DataGrid& grid = *page().grid();
    EXPECT_EQ(grid.shownTitles().mid(0, 5),
              QStringList({"ID", "Delete", "Last Name", "First Name", "Address"}));
    EXPECT_EQ(grid.shownRowCount(), 2);
    EXPECT_EQ(grid.shownRow(1).mid(0, 3), QStringList({"2", "False", "Jones"}));
}

TEST_F(UserPage, ClicksTickOnlyInTheMarkColumn) {
    ui::DataGrid& grid = *page().grid();
    page().DBGrideh4CellMouseClick(grid.columnIndexOfField("DelSelection"));
    EXPECT_FALSE(runDialog(&persons::UserPage::img_editClick, [](persons::Tfrm_user&) {}));
    EXPECT_TRUE(dm1.ado_user.isEmpty()) << "an empty register takes neither a tick nor an edit";

    addPersons({"Smith", "Jones", "Brown"});
    clickCell(grid, 1, "DelSelection");
    EXPECT_EQ(dm1.ado_user.recNo(), 2);
    EXPECT_TRUE(ticked(dm1.ado_user, 2));
    clickCell(grid, 1, "LastName");
    EXPECT_TRUE(ticked(dm1.ado_user, 2));
    clickCell(grid, 1, "DelSelection");
    EXPECT_FALSE(ticked(dm1.ado_user, 2));
    EXPECT_FALSE(ticked(dm1.ado_user, 1));
    EXPECT_TRUE(query("select lastname from bp_userinfo where delselection<>0").isEmpty())
        << "a tick stays pending until the next applying";
}

TEST_F(UserPage, DeletesTickedNeighboursWithTheirReadingsAndRenumbers) {
    addPersons({"Smith", "O'Brien", "Jones", "Brown"});
    for (const QString& name : {"Smith", "O'Brien", "Jones", "Brown", "Nobody", "JONES"})
        addReadings(name);
    for (int row : {1, 2})
        clickCell(*page().grid(), row, "DelSelection");

    page().img_delete_selection_1Click();

    EXPECT_EQ(messages.shown, QStringList({"ask:delete_seluser_readings_ask[O'Brien, Jones|3]"}));
    EXPECT_EQ(registerRows(), QStringList({"1:Smith", "2:Brown"}));
    for (const QString& table : kReadingTables)
        EXPECT_EQ(readingsOf(table), QStringList({"Brown", "Nobody", "Smith"}))
            << qPrintable(table);
    EXPECT_EQ(dm1.ado_user.recordCount(), 2);
    EXPECT_EQ(dm1.ado_user.recNo(), 1);
    EXPECT_FALSE(dm1.ado_user.hasPendingUpdates());
    expectLists({"Brown", "Smith"});
}

TEST_F(UserPage, DeletingWithNothingTickedStillRenumbers) {
    dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values(7,'Smith')");
    dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values(3,'Jones')");
    addPersons({});
    page().img_delete_selection_1Click();
    EXPECT_EQ(query("select id || ':' || lastname from bp_userinfo order by lastname desc"),
              QStringList({"1:Smith", "2:Jones"}));
}

TEST_F(UserPage, NoToEitherQuestionChangesNothing) {
    addPersons({"Smith", "Jones"});
    addReadings("Smith");
    clickCell(*page().grid(), 0, "DelSelection");
    window->findChild<QComboBox*>("comb_user1")->setCurrentIndex(1);
    messages.answers = {false, false};

    page().img_delete_selection_1Click();
    page().img_delete_all_2Click();

    EXPECT_EQ(messages.shown,
              QStringList({"ask:delete_seluser_readings_ask[Smith|1]", "ask:delete_alluser_ask"}));
    EXPECT_EQ(registerRows(), QStringList({"1:Smith", "2:Jones"}));
    EXPECT_EQ(readingsOf("bp_record"), QStringList({"Smith"}));
    EXPECT_TRUE(ticked(dm1.ado_user, 1));
    EXPECT_EQ(window->findChild<QComboBox*>("comb_user1")->currentText(), "Smith");
}

TEST_F(UserPage, DeleteAllEmptiesTheRegisterAndEveryReadingTable) {
    addPersons({"Smith", "Jones"});
    addReadings("Smith");
    addReadings("Nobody");
    dm1.ado_rc1.close();
    dm1.ado_rc1.open();

    page().img_delete_all_2Click();

    EXPECT_TRUE(registerRows().isEmpty());
    for (const QString& table : kReadingTables)
        EXPECT_TRUE(readingsOf(table).isEmpty()) << qPrintable(table);
    EXPECT_TRUE(dm1.ado_user.isEmpty());
    EXPECT_TRUE(dm1.ado_rc1.isEmpty());
    EXPECT_EQ(page().grid()->shownRowCount(), 0);
    expectLists({});
}

// A failure part-way leaves the database as it was: no reading deleted, no person lost.
TEST_F(UserPage, AFailedDeletionChangesNothing) {
    addPersons({"Smith", "Jones", "Brown"});
    addReadings("Jones");
    addReadings("Brown");
    exec("create trigger refuse before delete on bp_userinfo when old.lastname='Brown' "
         "begin select raise(abort, 'Brown is kept'); end");
    for (int row : {1, 2})
        clickCell(*page().grid(), row, "DelSelection");

    page().img_delete_selection_1Click();
    page().img_delete_all_2Click();

    EXPECT_EQ(messages.shown,
              QStringList({"ask:delete_seluser_readings_ask[Jones, Brown|2]", "error:Brown is kept",
                           "ask:delete_alluser_ask", "error:Brown is kept"}));
    EXPECT_EQ(registerRows(), QStringList({"1:Smith", "2:Jones", "3:Brown"}));
    for (const QString& table : kReadingTables)
        EXPECT_EQ(readingsOf(table), QStringList({"Brown", "Jones"})) << qPrintable(table);
    EXPECT_EQ(dm1.ado_user.recordCount(), 3);
    EXPECT_FALSE(dm1.ado_user.controlsDisabled());
    EXPECT_EQ(page().grid()->shownRowCount(), 3);
    expectLists({"Brown", "Jones", "Smith"});
}

TEST_F(UserPage, TheListsFollowTheRegisterOnMessage1132) {
    addPersons({"Smith"});
    expectLists({"Smith"});
    window->findChild<QComboBox*>("comb_user")->setCurrentIndex(0);
    dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values(2,'adams')");
    window->SendMessage(store::WindowMessage::PersonsChanged);
    expectLists({"adams", "Smith"});
}

} // namespace
