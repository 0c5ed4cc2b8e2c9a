#include "ui/DataGrid.h"

#include "store/Database.h"
#include "store/Dataset.h"
#include "support/LocalZone.h"
#include "support/Mouse.h"
#include "support/TempAppDir.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using Marker = ui::DataGrid::SortMarker;

namespace {

class DataGridTest : public ::testing::Test {
protected:
    enum Col { Mark, Name, Systolic, Diastolic, When };

    void SetUp() override {
        db.open(dir.file("tonvi.mdb"));
        for (int i = 1; i <= 3; ++i)
            db.execute(QStringLiteral("insert into bp_record(personal,systolic,diastolic,checktime,"
                                      "delselection) values('p%1',%2,80,'2024-01-0%1 08:30:00',%3)")
                           .arg(i)
                           .arg(100 + 10 * i)
                           .arg(i == 2 ? 1 : 0));
        rows.setCommandText(QStringLiteral("select * from bp_record"));
        rows.open();
        grid.setColumns({{"delselection", "", 62},
                         {"personal", "name", 46},
                         {"systolic", "systolic", 63, true, true},
                         {"diastolic", "diastolic", 63, false, true},
                         {"checktime", "when", 198, true, true}});
        grid.setDataset(&rows);
        grid.resize(600, 300);
        grid.show();
    }

    void clickTitle(int column) {
        QHeaderView* header = grid.horizontalHeader();
        click(header->viewport(),
              {header->sectionViewportPosition(grid.viewColumn(column)) + 10, 5});
    }
    void clickCell(int row, int column) {
        click(grid.viewport(),
              grid.visualRect(grid.model()->index(row, grid.viewColumn(column))).center());
    }
    QVariant cell(int row, int column, int role) const {
        return grid.model()->index(row, grid.viewColumn(column)).data(role);
    }

    TempAppDir dir;
    store::Database db;
    store::Dataset rows{db, store::WriteMode::Immediate};
    ui::DataGrid grid{QStringLiteral("DBGridEh1")};
};

TEST_F(DataGridTest, TitleClicksCycleTheMarkerAndClearTheOtherColumns) {
    QStringList clicks;
    QObject::connect(&grid, &ui::DataGrid::titleBtnClick,
                     [&](int, const QString& field) { clicks << field; });
    const QList<Marker> expected{Marker::Down, Marker::Up, Marker::Down};
    for (Marker marker : expected) {
        clickTitle(Systolic);
        EXPECT_EQ(grid.sortMarker(Systolic), marker);
    }
    clickTitle(When);
    EXPECT_EQ(grid.sortMarker(When), Marker::Down);
    EXPECT_EQ(grid.sortMarker(Systolic), Marker::None);
    clickTitle(Name); // no title button: neither handler nor marker
    EXPECT_EQ(grid.sortMarker(When), Marker::Down);
    EXPECT_EQ(clicks, QStringList({"systolic", "systolic", "systolic", "checktime"}));
}

TEST_F(DataGridTest, HandlerSeesTheMarkerBeforeOrAfterItMovesAsChosen) {
    QList<Marker> seen;
    QStringList order;
    QObject::connect(&grid, &ui::DataGrid::titleBtnClick, [&](int column, const QString&) {
        seen << grid.sortMarker(column);
        order << "title";
    });
    QObject::connect(&grid, &ui::DataGrid::cellClick, [&] { order << "cell"; });
    clickTitle(Systolic);
    grid.setTitleClickOrder(ui::DataGrid::TitleClickOrder::HandlerFirst);
    clickTitle(Systolic);
    clickTitle(Systolic);
    EXPECT_EQ(seen, QList<Marker>({Marker::Down, Marker::Down, Marker::Up}));
    EXPECT_EQ(order, QStringList({"title", "cell", "title", "cell", "title", "cell"}));
}

TEST_F(DataGridTest, MarkersFollowASortSetElsewhereAsATitleClickWouldLeaveThem) {
    QObject::connect(&grid, &ui::DataGrid::titleBtnClick, [&](int column, const QString& field) {
        const bool ascending = grid.sortMarker(column) == Marker::Down;
        rows.setSort(ascending ? field : field + " DESC");
    });
    rows.setSort("systolic DESC,personal");
    EXPECT_EQ(grid.sortMarker(Systolic), Marker::Up);
    clickTitle(Systolic);
    EXPECT_EQ(rows.sort(), "systolic");
    EXPECT_EQ(grid.sortMarker(Systolic), Marker::Down);
    rows.setSort("personal");
    EXPECT_EQ(grid.sortMarker(Systolic), Marker::None) << "no title button on that column";
    EXPECT_EQ(grid.sortMarker(Name), Marker::None);
    rows.setSort("checktime");
    rows.close();
    rows.open();
    EXPECT_EQ(grid.sortMarker(When), Marker::None) << "reopening drops the sort";
}

TEST_F(DataGridTest, BooleanColumnIsADrawnCheckBoxThatClicksDoNotChange) {
    EXPECT_EQ(cell(1, Mark, Qt::CheckStateRole), Qt::Checked);
    EXPECT_EQ(cell(0, Mark, Qt::CheckStateRole), Qt::Unchecked);
    EXPECT_FALSE(cell(0, Mark, Qt::DisplayRole).isValid());
    EXPECT_FALSE(cell(0, Name, Qt::CheckStateRole).isValid());
    clickCell(0, Mark);
    rows.close();
    rows.open();
    EXPECT_FALSE(rows.asBoolean("delselection"));
}

TEST_F(DataGridTest, IndicatorColumnNumbersTheRowsAsShown) {
    rows.setSort(QStringLiteral("systolic DESC"));
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(grid.model()->headerData(row, Qt::Vertical, Qt::DisplayRole), row + 1);
    EXPECT_EQ(cell(0, Name, Qt::DisplayRole), "p3");
}

TEST_F(DataGridTest, CursorAndSelectionFollowEachOther) {
    int recNoAtClick = 0;
    QString field;
    QObject::connect(&grid, &ui::DataGrid::cellClick, [&](int, const QString& name) {
        recNoAtClick = rows.recNo();
        field = name;
    });
    clickCell(2, Systolic);
    EXPECT_EQ(recNoAtClick, 3);
    EXPECT_EQ(field, "systolic");
    rows.setRecNo(2);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(1, {}));
}

TEST_F(DataGridTest, FrozenWhileControlsAreDisabledThenRefreshedOnce) {
    int resets = 0;
    QObject::connect(grid.model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    rows.disableControls();
    rows.last();
    rows.remove();
    rows.first();
    grid.viewport()->repaint();
    EXPECT_FALSE(cell(0, Name, Qt::DisplayRole).isValid()); // reads nothing meanwhile
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(resets, 0);
    rows.setRecNo(2);
    rows.enableControls();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.currentIndex().row(), 1);
}

// The default locale for one test; every grid reads its formats when it loads rows.
class DefaultLocale {
public:
    explicit DefaultLocale(const char* name) { QLocale::setDefault(QLocale(name)); }
    ~DefaultLocale() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

TEST_F(DataGridTest, ReadsOutVisibleColumnsInDisplayOrderWithTheirTitles) {
    const DefaultLocale german("de_DE");
    rows.close();
    rows.open();
    grid.horizontalHeader()->moveSection(Name, 0);
    grid.setColumnTitle(grid.columnIndexOfField("SYSTOLIC"), "SYS");
    EXPECT_EQ(grid.shownTitles(), QStringList({"name", "", "SYS", "when"}));
    ASSERT_EQ(grid.shownRowCount(), 3);
    EXPECT_EQ(grid.shownRow(1), QStringList({"p2", "True", "120", "02.01.2024 08:30"}));
    EXPECT_EQ(grid.shownRow(0)[1], "False");
    db.execute(QStringLiteral("update bp_record set checktime='2024-01-03 00:00:00'"));
    rows.close();
    rows.open();
    EXPECT_EQ(grid.shownRow(2)[3], "03.01.2024") << "a date without time of day";
}

TEST_F(DataGridTest, DatesShowInTheUsersFormatAndSortInTimeOrder) {
    const DefaultLocale american("en_US");
    db.execute(QStringLiteral("insert into bp_record(personal,checktime) "
                              "values('p0','2023-12-31 19:05:00')"));
    rows.close();
    rows.open();
    rows.setSort(QStringLiteral("checktime"));
    QStringList times;
    for (int row = 0; row < grid.shownRowCount(); ++row)
        times << grid.shownRow(row)[3];
    EXPECT_EQ(times, QStringList({"12/31/2023 7:05 PM", "1/1/2024 8:30 AM", "1/2/2024 8:30 AM",
                                  "1/3/2024 8:30 AM"}));
}

// Stored times are wall-clock readings: one taken in the hour a clock skips when daylight
// saving starts shows as it was taken.
TEST_F(DataGridTest, ATimeInADaylightSavingGapShowsAsStored) {
    const DefaultLocale american("en_US");
    const LocalZone berlin("Europe/Berlin");
    db.execute(QStringLiteral("insert into bp_record(personal,checktime) "
                              "values('p0','2024-03-31 02:30:00')"));
    rows.close();
    rows.open();
    ASSERT_TRUE(rows.locate(QStringLiteral("personal"), QStringLiteral("p0")));
    EXPECT_EQ(grid.shownRow(rows.recNo() - 1)[3], "3/31/2024 2:30 AM");
}

// A grid whose dataset is destroyed shows no rows and never reads the dead one.
TEST_F(DataGridTest, LetsGoOfADestroyedDataset) {
    auto* doomed = new store::Dataset(db, store::WriteMode::Immediate);
    doomed->setCommandText(QStringLiteral("select * from bp_record"));
    doomed->open();
    grid.setDataset(doomed);
    ASSERT_EQ(grid.model()->rowCount(), 3);
    delete doomed;
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_EQ(grid.shownRowCount(), 0);
    grid.viewport()->repaint();
}

// What an export needs beyond the texts: types, widths and values of the shown columns,
// and a date pattern that writes each date cell as the grid shows it.
TEST_F(DataGridTest, DescribesShownColumnsAndTheirValues) {
    grid.horizontalHeader()->moveSection(Name, 0);
    grid.horizontalHeader()->resizeSection(Systolic, 77);
    const QVector<ui::DataGrid::ShownColumn> columns = grid.shownColumns();
    ASSERT_EQ(columns.size(), 4);
    EXPECT_EQ(columns[0].type, store::FieldType::Text);
    EXPECT_EQ(columns[1].type, store::FieldType::Boolean);
    EXPECT_EQ(columns[2].type, store::FieldType::Integer);
    EXPECT_EQ(columns[2].width, 77);
    EXPECT_EQ(columns[3].type, store::FieldType::DateTime);
    EXPECT_EQ(grid.shownValues(1).value(2).toInt(), 120);
    EXPECT_EQ(grid.shownValues(1).value(0).toString(), "p2");
    db.execute(QStringLiteral("update bp_record set checktime='2024-01-03 00:00:00' where "
                              "personal='p3'"));
    rows.close();
    rows.open();
    for (int row = 0; row < grid.shownRowCount(); ++row) {
        const QDateTime stored = QDateTime::fromString(grid.shownValues(row).value(3).toString(),
                                                       QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        EXPECT_EQ(stored.toString(grid.shownDatePattern(row, 3)), grid.shownRow(row)[3]) << row;
    }
}

TEST_F(DataGridTest, KeepsWidthsOfHiddenAndResizedColumns) {
    EXPECT_EQ(grid.column(Diastolic).width, 63);
    grid.setColumnWidthPx(Diastolic, 90);
    grid.horizontalHeader()->resizeSection(grid.viewColumn(Name), 120);
    EXPECT_EQ(grid.viewColumn(Diastolic), -1);
    EXPECT_EQ(grid.column(Diastolic).width, 90);
    EXPECT_EQ(grid.column(Name).width, 120);
}

// A screen reader walks the table it is given: the hidden column must not be in it, and
// clicks and sort markers after it still name their own columns.
TEST_F(DataGridTest, AssistiveToolsSeeOnlyTheShownColumns) {
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&grid)->tableInterface();
    ASSERT_NE(table, nullptr);
    QStringList titles;
    for (int column = 0; column < table->columnCount(); ++column)
        titles << table->columnDescription(column);
    EXPECT_EQ(titles, QStringList({"", "name", "systolic", "when"}));
    EXPECT_EQ(table->cellAt(0, 3)->text(QAccessible::Name), cell(0, When, Qt::DisplayRole));

    QSignalSpy clicks(&grid, &ui::DataGrid::cellClick);
    clickCell(1, When);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0], QVariantList({int(When), QStringLiteral("checktime")}));
    EXPECT_EQ(grid.shownRow(0).size(), 4);
}

// A column worked out from the whole row: its text is also its value for exports, its
// colour the cell's background; empty cells keep the grid's own background.
TEST_F(DataGridTest, RowCellShowsTextAndColourOfTheWholeRow) {
    QVector<ui::GridColumn> columns{{"systolic", "systolic", 63}};
    ui::GridColumn sum{"sum", "sum", 80};
    sum.rowCell = [](const store::Dataset& data, int row) -> ui::RowCellLook {
        const int systolic = data.integerAt(row, data.fieldIndex("systolic"));
        if (systolic > 125)
            return {};
        return {QString::number(systolic + data.integerAt(row, data.fieldIndex("diastolic"))),
                systolic > 115 ? QColor(Qt::red) : QColor(Qt::green)};
    };
    columns.append(sum);
    grid.setColumns(columns);
    EXPECT_EQ(grid.shownRow(0), (QStringList{"110", "190"}));
    EXPECT_EQ(grid.shownValues(1), (QVariantList{120, "200"}));
    EXPECT_EQ(cell(0, 1, Qt::BackgroundRole).value<QColor>(), QColor(Qt::green));
    EXPECT_EQ(cell(1, 1, Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(grid.shownRow(2), (QStringList{"130", ""}));
    EXPECT_FALSE(cell(2, 1, Qt::BackgroundRole).isValid());
    EXPECT_FALSE(cell(0, 0, Qt::BackgroundRole).isValid());
}

} // namespace

// Tab and Shift+Tab leave the grid in both directions; Space acts on a tick box only.
TEST_F(DataGridTest, TabLeavesTheGridAndSpaceClicksATickBox) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit(&window);
    layout->addWidget(before);
    layout->addWidget(&grid);
    auto* after = new QLineEdit(&window);
    layout->addWidget(after);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);

    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, Name));
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());

    QSignalSpy clicks(&grid, &ui::DataGrid::cellClick);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0) << "no tick box in the name column";
    grid.setCurrentIndex(grid.model()->index(2, Mark));
    QTest::keyClick(&grid, Qt::Key_Space);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][1].toString(), QStringLiteral("delselection"));
    EXPECT_EQ(rows.recNo(), 3);
    grid.setParent(nullptr); // the fixture owns the grid
}
