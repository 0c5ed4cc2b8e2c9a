#include "ToolsFixture.h"
#include "tools/Tfrm_sort.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

namespace {

class SortDialog : public ToolsFixture {
protected:
    void SetUp() override {
        ToolsFixture::SetUp();
        person(1, "Smith");
        person(2, "Jones");
        person(3, "Brown");
        open();
    }

    // Chooses the keys (-1: none) and presses OK; the dialog closes when it accepts.
    QString sortBy(int first, int firstDirection, int second, int secondDirection) {
        return tools::ShowSortForm(context, grid, [&](tools::Tfrm_sort& dialog) {
            dialog.firstKey()->setCurrentIndex(first);
            dialog.firstDirection()->setCurrentIndex(firstDirection);
            dialog.secondKey()->setCurrentIndex(second);
            dialog.secondDirection()->setCurrentIndex(secondDirection);
            dialog.btnokClick();
            return dialog.result() == QDialog::Accepted;
        });
    }

    QStringList names() {
        QStringList shown;
        for (rows.first(); !rows.eof(); rows.next())
            shown << rows.asString("lastname");
        return shown;
    }
};

// Offered: id, lastname, birthday, height; the hidden and the Boolean columns are not.
constexpr int Id = 0, LastName = 1, Height = 3;

TEST_F(SortDialog, OffersTheVisibleColumnsWithTypedNonBooleanFields) {
    tools::ShowSortForm(context, grid, [](tools::Tfrm_sort& dialog) {
        QStringList titles;
        for (int index = 0; index < dialog.firstKey()->count(); ++index)
            titles << dialog.firstKey()->itemText(index);
        EXPECT_EQ(titles, QStringList({"No.", "Last name", "Birthday", "Height"}));
        EXPECT_EQ(dialog.secondKey()->count(), 4);
        EXPECT_EQ(dialog.firstKey()->currentIndex(), -1);
        EXPECT_EQ(dialog.firstDirection()->currentIndex(), -1);
        return false;
    });
}

TEST_F(SortDialog, BuildsTheSortTextFromBothKeys) {
    EXPECT_EQ(sortBy(Height, 1, LastName, 0), "height DESC,lastname ASC");
    EXPECT_EQ(rows.sort(), "height DESC,lastname ASC");
    EXPECT_EQ(names(), QStringList({"Brown", "Jones", "Smith"}));

    EXPECT_EQ(sortBy(-1, -1, LastName, 1), "lastname DESC") << "no leading comma";
    EXPECT_EQ(names(), QStringList({"Smith", "Jones", "Brown"}));
}

TEST_F(SortDialog, AKeyWithoutDirectionSortsAscending) {
    EXPECT_EQ(sortBy(LastName, -1, -1, -1), "lastname ");
    EXPECT_EQ(names(), QStringList({"Brown", "Jones", "Smith"}));
}

TEST_F(SortDialog, NothingChosenRestoresTheDatasetsOwnOrder) {
    sortBy(LastName, 0, -1, -1);
    EXPECT_EQ(sortBy(-1, -1, -1, -1), "");
    EXPECT_EQ(rows.sort(), "");
    EXPECT_EQ(names(), QStringList({"Smith", "Jones", "Brown"}));
}

TEST_F(SortDialog, TheSameColumnTwiceKeepsTheDialogOpen) {
    const QString text = tools::ShowSortForm(context, grid, [this](tools::Tfrm_sort& dialog) {
        dialog.firstKey()->setCurrentIndex(LastName);
        dialog.secondKey()->setCurrentIndex(LastName);
        dialog.btnokClick();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(messages.shown, QStringList{"inform:sort_two_same"});
        dialog.secondKey()->setCurrentIndex(Id);
        dialog.btnokClick();
        return dialog.result() == QDialog::Accepted;
    });
    EXPECT_EQ(text, "lastname ,id ");
}

TEST_F(SortDialog, CancelAndEscapeLeaveTheOrder) {
    rows.setSort("id DESC");
    const QString text = tools::ShowSortForm(context, grid, [](tools::Tfrm_sort& dialog) {
        dialog.show();
        dialog.firstKey()->setCurrentIndex(LastName);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dialog.firstKey(), &escape);
        EXPECT_TRUE(dialog.isVisible());
        dialog.cancelButton()->click();
        return dialog.result() == QDialog::Accepted;
    });
    EXPECT_EQ(text, "");
    EXPECT_EQ(rows.sort(), "id DESC");
}

TEST_F(SortDialog, AClosedListIsRefusedWithoutADialog) {
    rows.close();
    bool shown = false;
    tools::ShowSortForm(context, grid, [&shown](tools::Tfrm_sort&) { return shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(messages.shown, QStringList{"inform:sort_table_not_open"});
}

} // namespace
