#include "output/ExcelDates.h"
#include "output/ExportFixture.h"
#include "output/XlsWriter.h"
#include "store/Database.h"

#include <QJsonObject>
#include <sqlite3.h>

using output::excelDateFormat;
using output::excelSerial;

TEST(ExcelDates, SerialNumbers) {
    EXPECT_EQ(excelSerial(QString("1900-03-01")), 61.0);
    EXPECT_EQ(excelSerial(QString("2024-03-05 18:00:00")), 45356.75);
    EXPECT_EQ(excelSerial(QString("2024-03-05 18:00")), 45356.75);
    EXPECT_EQ(excelSerial(QDateTime(QDate(2024, 3, 5), QTime(6, 0))), 45356.25);
    EXPECT_EQ(excelSerial(QDate(2024, 3, 5)), 45356.0);
    EXPECT_EQ(excelSerial(QString("1900-02-28")), std::nullopt) << "counted differently";
    for (const char* bad : {"", "2024-13-01", "2024-03-05 25:00:00", "2024/03/05", "05.03.2024"})
        EXPECT_EQ(excelSerial(QString(bad)), std::nullopt) << bad;
    EXPECT_EQ(excelSerial(42), std::nullopt);
}

TEST(ExcelDates, FormatsFollowTheQtPattern) {
    EXPECT_EQ(excelDateFormat("yyyy-MM-dd HH:mm:ss"), "yyyy-mm-dd hh:mm:ss");
    EXPECT_EQ(excelDateFormat("dd.MM.yy H:mm"), "dd.mm.yy h:mm");
    EXPECT_EQ(excelDateFormat("M/d/yyyy h:mm AP"), "m/d/yyyy h:mm AM/PM");
    EXPECT_EQ(excelDateFormat("d MMMM yyyy 'um' HH:mm"), "d mmmm yyyy \\u\\m hh:mm");
    EXPECT_EQ(excelDateFormat("dddd, d. MMM"), "dddd, d. mmm");
}

// Sheets of 65,536 rows, and shared strings past one record.
class XlsTest : public ExportFixture {};

TEST_F(XlsTest, LongGridContinuesOnSheetsThatStartWithTheTitles) {
    sqlite3* db = dm1.ADOConnection1.handle();
    ASSERT_EQ(sqlite3_exec(db,
                           "with recursive n(i) as (select 1 union all select i+1 from n where "
                           "i<70000) insert into bp_record(personal,systolic,diastolic,"
                           "heart_beat,checktime,delselection) select 'Lang',100+i%100,80,"
                           "i,datetime('2020-01-01',i||' minutes'),0 from n",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const ui::DataGrid& grid = dataGrid("Lang");
    ASSERT_EQ(grid.shownRowCount(), 70000);
    const QJsonArray sheets = readBack("xls-summary", exportTo(grid, "long", 1)).array();
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[0]["nrows"].toInt(), 65536);
    EXPECT_EQ(sheets[1]["nrows"].toInt(), 70000 - 65535 + 1);
    const int pulse = grid.shownTitles().indexOf(grid.column(4).title);
    for (const QJsonValue& sheet : sheets) {
        const QJsonArray title = sheet["rows"][0].toArray();
        for (int column = 0; column < title.size(); ++column)
            EXPECT_EQ(title[column]["value"].toString(), grid.shownTitles()[column]);
    }
    EXPECT_EQ(sheets[0]["rows"][1][pulse]["value"].toDouble(), 1);
    EXPECT_EQ(sheets[0]["rows"][2][pulse]["value"].toDouble(), 65535);
    EXPECT_EQ(sheets[1]["rows"][1][pulse]["value"].toDouble(), 65536);
    EXPECT_EQ(sheets[1]["rows"][2][pulse]["value"].toDouble(), 70000);
}

TEST_F(XlsTest, SharedStringsContinueAcrossRecords) {
    // Unique names of mixed scripts, some longer than a record, so that the table splits
    // between strings and inside them.
    QStringList names;
    for (int index = 0; index < 400; ++index) {
        QString name = QStringLiteral("Ёлкина-%1-").arg(index) + QString(index % 37, QChar(u'ä'));
        if (index % 97 == 5)
            name += QString(5000 + index, QChar(u'Ж'));
        names << name;
    }
    const ui::DataGrid& grid = userGrid(names);
    const QJsonArray rows = firstSheetRows(exportTo(grid, "many", 1));
    ASSERT_EQ(rows.size(), names.size() + 1);
    const int lastName = 2;
    QStringList read;
    for (int row = 1; row < rows.size(); ++row)
        read << rows[row][lastName]["value"].toString();
    QStringList expected;
    for (int row = 0; row < grid.shownRowCount(); ++row)
        expected << grid.shownRow(row)[lastName];
    EXPECT_EQ(read, expected);
}
