#include "device/MemoryBox.h"
#include "device/TransferPage.h"
#include "measure/DataPage.h"
#include "support/WindowContextFixture.h"
#include "ui/DataGrid.h"

namespace {

struct Column {
    const char* field;
    const char* title;
    int width;
    bool visible;
    bool titleButton;
    bool formatted;
};

void expectColumns(const ui::DataGrid& grid, const std::vector<Column>& expected) {
    SCOPED_TRACE(grid.objectName().toStdString());
    ASSERT_EQ(grid.columnCount(), int(expected.size()));
    for (int i = 0; i < grid.columnCount(); ++i) {
        const ui::DataGrid::Column column = grid.column(i);
        EXPECT_EQ(column.fieldName, expected[i].field);
        EXPECT_EQ(column.title, expected[i].title) << expected[i].field;
        EXPECT_EQ(column.width, expected[i].width) << expected[i].field;
        EXPECT_EQ(column.visible, expected[i].visible) << expected[i].field;
        EXPECT_EQ(column.titleButton, expected[i].titleButton) << expected[i].field;
        EXPECT_EQ(bool(column.format), expected[i].formatted) << expected[i].field;
    }
}

using ReadingGridsTest = WindowContextFixture;

// The reading lists before the language table names their columns.
TEST_F(ReadingGridsTest, ShowTheReadingColumnsInTheirDesign) {
    const device::TransferPage transfer(context);
    for (const device::MemoryBox* memory : {transfer.memory1(), transfer.memory2()})
        expectColumns(*memory->grid(),
                      {{"IDNO", "Number", 60, true, false, false},
                       {"systolic", "systolic", 70, true, true, false},
                       {"diastolic", "diastolic", 70, true, true, false},
                       {"heart_beat", "pulse", 60, true, true, false},
                       {"checktime_mmdd", "measurement date", 120, true, true, true},
                       {"checktime_hhmm", "measurement time", 120, true, true, false},
                       {"checktime", "measurement date/time", 160, false, true, false},
                       {"measurement_status", "status", 160, true, true, true}});
    const measure::DataPage data(context);
    expectColumns(*data.grid(), {{"delselection", "", 62, true, false, false},
                                 {"personal", "name", 46, true, false, false},
                                 {"systolic", "systolic", 63, true, true, false},
                                 {"diastolic", "diastolic", 63, true, true, false},
                                 {"heart_beat", "pulse", 57, true, true, false},
                                 {"checktime", "measurement date/time", 198, true, true, false},
                                 {"category", "category", 150, true, false, false},
                                 {"measurement_status", "status", 160, true, true, true}});
}

} // namespace
