#include "lang/FormTextDump.h"

#include "LanguageDb.h"
#include "lang/FormTexts.h"
#include "lang/WindowContext.h"
#include "pictures/PictureLibrary.h"
#include "support/FakeMessages.h"
#include "testkit/QueryRows.h"
#include "ui/DataGrid.h"
#include "ui/ImageButton.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"
#include "ui/Tag.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class FormTextDump : public ::testing::Test {
protected:
    FormTextDump() {
        window.setObjectName("frm_test");
        new lang::FormTextDumpKey(window, context);
        focus->setObjectName("Edit1");
    }

    void marker() {
        QFile file(db.dir.file("post.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    void pressCtrlF2() {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_F2, Qt::ControlModifier | Qt::AltModifier);
        QApplication::sendEvent(focus, &key);
    }

    // The window's rows: group|component|index|showtext|english|german|font|show|width|field.
    // The window's rows, one a line, for readable failures.
    std::string dump() { return rows().join('\n').toStdString(); }

    QStringList rows() {
        return testkit::queryRows(
            db.dm.ADOConnection1,
            "select \"group\",component,component_index,showtext,show_english,show_german,"
            "show_font,show,show_width,fieldname from bp_language where formname='frm_test' "
            "order by rowid");
    }

    LanguageDb db;
    pictures::PictureLibrary pictures{db.dir.path()};
    FakeMessages messages;
    lang::WindowContext context{db.dir.path(), db.dm, db.language, pictures, messages};
    QWidget window;
    QLineEdit* focus = new QLineEdit(&window);
};

TEST_F(FormTextDump, WithoutTheMarkerTheKeyChangesNothing) {
    (new QLabel("text", &window))->setObjectName("Label1");
    pressCtrlF2();
    lang::PostFormText(window, db.dm, db.dir.path());
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(FormTextDump, WritesARowPerTextItemInTheOrderTheWindowOwnsThem) {
    QFont font("Arial");
    window.setFont(font);
    (new QLabel("", &window))->setObjectName("Label0");
    (new QLabel("Name", &window))->setObjectName("Label1");
    new ui::Panel("Panel1", &window);
    (new QPushButton("", &window))->setObjectName("btnok");
    auto* radio = new ui::RadioGroup("RadioGroup1", &window);
    radio->setTitle("Period");
    radio->setItems({"day", "week", "month"});
    auto* excluded = new QComboBox(&window);
    excluded->setObjectName("ComboBox1");
    excluded->addItems({"systolic", "pulse"});
    ui::setTag(*excluded, 22);
    auto* directions = new QComboBox(&window);
    directions->setObjectName("ComboBox3");
    directions->addItems({"ASC", "DESC"});
    (new QGroupBox("", &window))->setObjectName("GroupBox1");
    auto* tabs = new QTabWidget(&window);
    tabs->setObjectName("PageControl1");
    tabs->addTab(new QWidget, "Table");
    auto* tool = new QToolButton(&window);
    tool->setObjectName("ToolButton1");
    tool->setText("More");
    auto* grid = new ui::DataGrid("DBGrid1", &window);
    grid->setColumns({{"systolic", "Sys", 50}, {"idno", "No.", 30, false}});

    marker();
    pressCtrlF2();
    EXPECT_EQ(dump(), "caption|Label1|1|Name|Name|Name|Arial|false||\n"
                      "caption|btnok|1||||Arial|false||\n"
                      "caption|RadioGroup1|88|Period|Period|Period|Arial|false||\n"
                      "radio_item|RadioGroup1|0|day|day|day|Arial|false||\n"
                      "radio_item|RadioGroup1|1|week|week|week|Arial|false||\n"
                      "radio_item|RadioGroup1|2|month|month|month|Arial|false||\n"
                      "combobox_item|ComboBox3|0|ASC|ASC|ASC|Arial|false||\n"
                      "combobox_item|ComboBox3|1|DESC|DESC|DESC|Arial|false||\n"
                      "caption|GroupBox1|1||||Arial|false||\n"
                      "page_item|PageControl1|0|Table|Table|Table|Arial|false||\n"
                      "caption|ToolButton1|1|More|More|More|Tahoma|false||\n"
                      "grid|DBGrid1|0|Sys|Sys|Sys|Arial|true|50|systolic\n"
                      "grid|DBGrid1|1|No.|No.|No.|Arial|false|30|idno");
}

TEST_F(FormTextDump, TooltipsAreWrittenAndAppliedWithTheAccessibleName) {
    auto* button = new ui::ImageButton("img_delete", &window);
    button->setToolTip("Delete the marked readings");
    new ui::ImageButton("Image2", &window);
    marker();
    pressCtrlF2();
    EXPECT_EQ(rows(), QStringList({"tooltip|img_delete|1|Delete the marked readings|Delete the "
                                   "marked readings|Delete the marked readings|" +
                                   button->font().family() + "|false||"}))
        << dump();

    button->setToolTip("changed");
    lang::SetFormText(window, db.language, pictures);
    EXPECT_EQ(button->toolTip(), "Delete the marked readings");
    EXPECT_EQ(button->accessibleName(), "Delete the marked readings");
    EXPECT_EQ(button->accessibleDescription(), "Delete the marked readings");
}

TEST_F(FormTextDump, TwoDumpsDoubleTheRowsAndApplyToTheSameTexts) {
    auto* label = new QLabel("Name", &window);
    label->setObjectName("Label1");
    auto* radio = new ui::RadioGroup("RadioGroup1", &window);
    radio->setTitle("Period");
    radio->setItems({"day", "week"});
    auto* grid = new ui::DataGrid("DBGrid1", &window);
    grid->setColumns({{"systolic", "Sys", 50}});
    marker();
    const int messageRows = db.dm.ado_cfg.recordCount();
    pressCtrlF2();
    const int once = rows().size();
    pressCtrlF2();
    EXPECT_EQ(once, 5);
    EXPECT_EQ(rows().size(), 2 * once);
    EXPECT_EQ(db.dm.ado_cfg.recordCount(), messageRows + 2 * once);

    label->setText("changed");
    radio->setTitle("changed");
    radio->setItemText(1, "changed");
    grid->setColumnTitle(0, "changed");
    grid->setColumnWidthPx(0, 99);
    lang::SetFormText(window, db.language, pictures);
    EXPECT_EQ(label->text(), "Name");
    EXPECT_EQ(radio->title(), "Period");
    EXPECT_EQ(radio->items(), QStringList({"day", "week"}));
    EXPECT_EQ(grid->column(0).title, "Sys");
    EXPECT_EQ(grid->column(0).width, 50);
}

} // namespace
