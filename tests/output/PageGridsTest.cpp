#include "measure/Tfrm_analysis.h"
#include "output/ExportFixture.h"
#include "output/ExportFormat.h"
#include "ui/RadioGroup.h"

#include <QDateEdit>
#include <QJsonObject>

// The page grids as their buttons export them.
class PageGridsTest : public ExportFixture {
protected:
    // The delimited file of the grid, read back as rows of texts.
    QList<QStringList> readRows(const QString& kind, const QString& path) {
        QList<QStringList> rows;
        for (const QJsonValue& row : readBack(kind, path).array())
            rows << strings(row);
        return rows;
    }

    void readings() {
        reading("bp_record", "Иванова", 121, "2024-03-05 08:30:00", true);
        reading("bp_record", "Иванова", 135, "2024-03-05 20:15:00");
        reading("bp_record", "Иванова", 142, "2024-03-07 00:00:00", true);
        reading("bp_record", "O'Brien", 150, "2024-03-06 09:00:00");
    }
};

// The list with marks: titles from the language table, marks as shown, nothing moved.
TEST_F(PageGridsTest, DataListInEveryFormatWithoutMovingTheRow) {
    readings();
    ui::DataGrid& grid = dataGrid("Иванова");
    ASSERT_EQ(grid.shownRowCount(), 3);
    store::Dataset& list = dm1.ado_analysis;
    list.setRecNo(2);
    int moves = 0;
    QObject::connect(&list, &store::Dataset::currentChanged, [&moves] { ++moves; });
    measure::DataPage& page = *window->dataPage();
    const QList<QStringList> expected = shown(grid);
    EXPECT_TRUE(expected[1].contains("True"));

    for (const auto& [position, kind] : {std::pair{3, "csv"}, {2, "txt"}}) {
        choose(page.gridExport(), dir.file("list"), position);
        page.img_save_asClick();
        EXPECT_EQ(readRows(kind, dir.file(QString("list.") + kind)), expected) << kind;
    }
    choose(page.gridExport(), dir.file("list"), 4);
    page.img_save_asClick();
    choose(page.gridExport(), dir.file("list"), 5);
    page.img_save_asClick();
    EXPECT_TRUE(bytesOf(dir.file("list.rtf")).contains("\\u1048\\'3f\\u1074\\'3f"));
    choose(page.gridExport(), dir.file("list"), 1);
    page.img_save_asClick();
    const QJsonArray rows = firstSheetRows(dir.file("list.xls"));
    ASSERT_EQ(rows.size(), 4);
    const int systolic = grid.shownTitles().indexOf(grid.column(2).title);
    const int checktime = grid.shownTitles().indexOf(grid.column(5).title);
    EXPECT_EQ(rows[3][systolic]["value"].toDouble(), 142);
    EXPECT_EQ(rows[1][checktime]["type"].toString(), "date");
    EXPECT_EQ(rows[1][checktime]["value"].toString(), "2024-03-05 08:30:00");
    EXPECT_EQ(rows[3][checktime]["value"].toString(), "2024-03-07 00:00:00");
    EXPECT_EQ(rows[1][0]["value"].toString(), expected[1][0]);

    EXPECT_EQ(suggestedNames(), QStringList(5, today("Иванова")));
    EXPECT_EQ(list.recNo(), 2);
    EXPECT_EQ(moves, 0);
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(';').toStdString();
}

TEST_F(PageGridsTest, DataAveragesView) {
    readings();
    dataGrid("Иванова");
    measure::DataPage& page = *window->dataPage();
    page.setAnalysisDialogRunner([](measure::Tfrm_analysis& dialog) {
        dialog.radioGroup()->setItemIndex(int(measure::AnalysisMode::Day));
        dialog.startPicker()->setDate({2024, 3, 1});
        dialog.endPicker()->setDate({2024, 3, 31});
        return true;
    });
    page.img_analyClick();
    ASSERT_FALSE(page.allowDelete());
    const ui::DataGrid& grid = *page.grid();
    ASSERT_EQ(grid.shownRowCount(), 3); // 5 March marked and unmarked, 7 March

    choose(page.gridExport(), dir.file("averages.csv"), 3);
    page.img_save_asClick();
    EXPECT_EQ(readRows("csv", dir.file("averages.csv")), shown(grid));
    choose(page.gridExport(), dir.file("averages"), 1);
    page.img_save_asClick();
    const QJsonArray rows = firstSheetRows(dir.file("averages.xls"));
    const int systolic = grid.shownTitles().indexOf(grid.column(2).title);
    for (int row = 0; row < grid.shownRowCount(); ++row) {
        EXPECT_EQ(rows[row + 1][systolic]["type"].toString(), "number");
        EXPECT_EQ(QString::number(rows[row + 1][systolic]["value"].toDouble()),
                  grid.shownRow(row)[systolic]);
    }
}

// Weeks are written as the grid shows them, as text also in a workbook.
TEST_F(PageGridsTest, AveragesCarryTheirPeriodAsShown) {
    readings();
    dataGrid("Иванова");
    measure::DataPage& page = *window->dataPage();
    page.setAnalysisDialogRunner([](measure::Tfrm_analysis& dialog) {
        dialog.radioGroup()->setItemIndex(int(measure::AnalysisMode::Week));
        dialog.startPicker()->setDate({2024, 3, 1});
        dialog.endPicker()->setDate({2024, 3, 31});
        return true;
    });
    page.img_analyClick();
    const ui::DataGrid& grid = *page.grid();
    const int checktime = grid.shownTitles().indexOf(grid.column(5).title);

    choose(page.gridExport(), dir.file("weeks.csv"), 3);
    page.img_save_asClick();
    const QList<QStringList> rows = readRows("csv", dir.file("weeks.csv"));
    ASSERT_EQ(rows.size(), 3); // marked and unmarked readings of one week
    EXPECT_EQ(rows[1][checktime], "Week 10, 2024");
    EXPECT_EQ(rows[2][checktime], "Week 10, 2024");
    choose(page.gridExport(), dir.file("weeks"), 1);
    page.img_save_asClick();
    const QJsonArray sheet = firstSheetRows(dir.file("weeks.xls"));
    EXPECT_EQ(sheet[1][checktime]["type"].toString(), "text");
    EXPECT_EQ(sheet[1][checktime]["value"].toString(), "Week 10, 2024");
}

TEST_F(PageGridsTest, DataPageNeedsAnOpenList) {
    measure::DataPage& page = *window->dataPage();
    dm1.ado_analysis.close();
    choose(page.gridExport(), dir.file("never"), 3);
    page.img_save_asClick();
    EXPECT_EQ(messages.shown, QStringList{"inform:export_before_table_not_open"});
    EXPECT_TRUE(suggestions.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file("never.csv")));
}

// Both memories export their shown columns; memory 1's button is hidden but works.
TEST_F(PageGridsTest, TransferMemories) {
    reading("bp_record_user2", "", 118, "2024-02-01 07:45:00");
    reading("bp_record_user2", "", 131, "2024-02-02 19:05:00");
    dm1.ado_rc2.close();
    dm1.ado_rc2.open();
    device::TransferPage& page = *window->transferPage();
    const ui::DataGrid& grid = *page.memory2()->grid();
    ASSERT_EQ(grid.shownRowCount(), 2);

    choose(page.gridExport(), dir.file("memory"), 2);
    page.img_user2_save_asClick();
    const QList<QStringList> read = readRows("txt", dir.file("memory.txt"));
    EXPECT_EQ(read, shown(grid));
    EXPECT_FALSE(read[0].contains(grid.column(6).title)) << "hidden column";
    choose(page.gridExport(), dir.file("memory"), 1);
    page.img_user2_save_asClick();
    const QJsonArray rows = firstSheetRows(dir.file("memory.xls"));
    EXPECT_EQ(rows[2][1]["type"].toString(), "number");
    EXPECT_EQ(rows[2][1]["value"].toDouble(), 131);

    choose(page.gridExport(), dir.file("empty"), 3);
    page.img_user1_save_asClick();
    EXPECT_EQ(readRows("csv", dir.file("empty.csv")),
              QList<QStringList>{page.memory1()->grid()->shownTitles()});
    EXPECT_EQ(suggestedNames(), (QStringList{today("User2"), today("User2"), today("User1")}));
}

TEST_F(PageGridsTest, UserPageSuggestsUserInfo) {
    userGrid({"Adams"});
    persons::UserPage& page = *window->userPage();
    choose(page.gridExport(), dir.file("UserInfo"), 4);
    page.img_save_as_1Click();
    EXPECT_EQ(suggestedNames(), QStringList{today("UserInfo")});
    const QJsonObject read = readBack("htm", dir.file("UserInfo.htm")).object();
    EXPECT_EQ(read["rows"].toArray().size(), 2);
}

// The bundle is offered last, for single readings only, and holds the readings of the range
// the list shows.
TEST_F(PageGridsTest, BundleOfTheListedReadingsOnly) {
    readings();
    dataGrid("Иванова");
    measure::DataPage& page = *window->dataPage();
    const auto analyse = [&page](measure::AnalysisMode mode) {
        page.setAnalysisDialogRunner([mode](measure::Tfrm_analysis& dialog) {
            dialog.radioGroup()->setItemIndex(int(mode));
            dialog.startPicker()->setDate({2024, 3, 5});
            dialog.endPicker()->setDate({2024, 3, 6});
            return true;
        });
        page.img_analyClick();
    };
    const auto readingsIn = [this](const QString& path) {
        return bytesOf(path).count("\"code\":\"8480-6\"");
    };

    choose(page.gridExport(), dir.file("all"), 6);
    page.img_save_asClick();
    EXPECT_EQ(offered.last(), "FHIR bundle (*.json)");
    EXPECT_EQ(readingsIn(dir.file("all.json")), 3);

    analyse(measure::AnalysisMode::Time);
    choose(page.gridExport(), dir.file("range"), 6);
    page.img_save_asClick();
    EXPECT_EQ(readingsIn(dir.file("range.json")), 2) << "7 March lies after the range";

    analyse(measure::AnalysisMode::Day);
    choose(page.gridExport(), dir.file("days"), 6);
    page.img_save_asClick();
    EXPECT_EQ(offered, output::exportFilters());
    EXPECT_FALSE(QFileInfo::exists(dir.file("days.json")));
    EXPECT_FALSE(QFileInfo::exists(dir.file("days")));
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(';').toStdString();
}
