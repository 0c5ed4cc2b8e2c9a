#include "DataPageFixture.h"
#include "tools/Tfrm_sort.h"
#include "tools/Tfrmfind.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

class SortAndFind : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        persons({"Smith"});
        reading("Smith", 120, 80, 70, "2011-03-01 08:00:00");
        reading("Smith", 140, 70, 60, "2011-03-02 08:00:00");
        reading("Smith", 130, 90, 65, "2011-03-03 08:00:00");
        window->m_dataClick();
    }

    QString systolicColumn() const {
        QStringList values;
        const int index = page->grid()->columnIndexOfField("systolic");
        for (int row = 0; row < page->grid()->shownRowCount(); ++row)
            values << page->grid()->shownRow(row)[index];
        return values.join(',');
    }
};

TEST_F(SortAndFind, TheSortButtonOffersTheMeasurementColumnsAndSortsTheList) {
    QStringList offered;
    page->setSortDialogRunner([&offered](tools::Tfrm_sort& dialog) {
        for (int index = 0; index < dialog.firstKey()->count(); ++index)
            offered << dialog.firstKey()->itemText(index);
        dialog.firstKey()->setCurrentIndex(1);
        dialog.firstDirection()->setCurrentIndex(1);
        dialog.secondKey()->setCurrentIndex(3);
        dialog.secondDirection()->setCurrentIndex(0);
        return true;
    });
    page->img_sortClick();
    EXPECT_EQ(offered.join('|').toStdString(),
              "Name|Systolic|Diastolic|Pulse|Date and time of measurement|Status");
    EXPECT_EQ(dm1.ado_analysis.sort(), "systolic DESC,heart_beat ASC");
    EXPECT_EQ(systolicColumn(), "140,130,120");
}

TEST_F(SortAndFind, TitleMarkersFollowASortMadeElsewhere) {
    using Marker = ui::DataGrid::SortMarker;
    ui::DataGrid* grid = page->grid();
    const int systolic = grid->columnIndexOfField("systolic");
    click("systolic");
    ASSERT_EQ(systolicColumn(), "140,130,120");

    dm1.ado_analysis.setSort("systolic ASC");
    EXPECT_EQ(grid->sortMarker(systolic), Marker::Up);
    click("systolic");
    EXPECT_EQ(systolicColumn(), "140,130,120") << "the next click reverses the order shown";

    dm1.ado_analysis.setSort("diastolic DESC,systolic ASC");
    EXPECT_EQ(grid->sortMarker(systolic), Marker::None);
    EXPECT_EQ(grid->sortMarker(grid->columnIndexOfField("diastolic")), Marker::Down);
    dm1.ado_analysis.setSort("");
    EXPECT_EQ(grid->sortMarker(grid->columnIndexOfField("diastolic")), Marker::None);
}

TEST_F(SortAndFind, TheFindButtonSearchesThePersonGridHandedOverByTheShell) {
    dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values (1,'Smith')");
    dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values (2,'Müller')");
    dm1.ado_user.close();
    dm1.ado_user.open();
    QString searched;
    page->setFindDialogRunner([&searched](tools::Tfrmfind& dialog) {
        dialog.entry()->setText("mül");
        dialog.fieldList()->setCurrentIndex(dialog.fieldList()->findText("LastName"));
        dialog.matchList()->setCurrentIndex(1);
        dialog.btnOkClick();
        searched = dialog.fieldList()->currentText();
    });
    page->img_findClick();
    EXPECT_FALSE(searched.isEmpty());
    EXPECT_EQ(dm1.ado_user.asString("lastname"), "Müller");
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
