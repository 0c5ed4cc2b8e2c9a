#include "lang/FormTexts.h"

#include "LanguageDb.h"
#include "pictures/PictureLibrary.h"
#include "ui/DataGrid.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class FormTexts : public ::testing::Test {
protected:
    template <class W> W* make(const QString& name, const QString& text = {}) {
        auto* widget = new W(&window);
        widget->setObjectName(name);
        if constexpr (requires { widget->setText(text); })
            widget->setText(text);
        return widget;
    }

    void row(const QString& group, const QString& component, const QString& german,
             LanguageDb::Row r = {}) {
        r.formname = window.objectName();
        r.group = group;
        r.component = component;
        r.showtext = "english " + component;
        r.german = german;
        db.add(r);
    }

    void apply() {
        db.select("german");
        lang::SetFormText(window, db.language, pictures);
    }

    LanguageDb db;
    pictures::PictureLibrary pictures{db.dir.path()};
    QWidget window;
};

TEST_F(FormTexts, AppliesEachKindOfRowToItsWidget) {
    window.setObjectName("frm_test");
    window.setWindowTitle("design title");
    auto* label = make<QLabel>("Label1", "design");
    auto* emptied = make<QLabel>("Label2", "design");
    auto* untouched = make<QLabel>("Label3", "keep");
    auto* panel = new ui::Panel("Panel1", &window);
    auto* button = make<QPushButton>("btn_ok");
    auto* tool = make<QToolButton>("ToolButton1");
    auto* check = make<QCheckBox>("CheckBox1");
    auto* group = make<QGroupBox>("GroupBox1");
    auto* radio = new ui::RadioGroup("RadioGroup1", &window);
    radio->setItems({"time", "day", "week"});
    auto* combo = make<QComboBox>("ComboBox1");
    combo->addItems({"Table", "Line", "Other"});
    auto* tabs = make<QTabWidget>("PageControl1");
    tabs->addTab(new QWidget, "one");
    tabs->addTab(new QWidget, "two");
    auto* status = make<QStatusBar>("StatusBar1");
    auto* panel0 = new QLabel("p0", status);
    auto* panel1 = new QLabel("p1", status);
    status->addWidget(panel0);
    status->addPermanentWidget(panel1);
    auto* action = make<QAction>("mnu_file", "File");
    auto* grid = new ui::DataGrid("DBGrid1", &window);
    grid->setColumns({{"systolic", "Sys", 50}, {"diastolic", "Dia", 60}});
    auto* list = make<QTreeWidget>("lst_found");
    list->setHeaderLabels({"Name", "Address"});

    row("caption", "label1", "Beschriftung");
    row("caption", "Label2", "");
    row("title", "Label3", "Titelzeile");
    row("hint", "Label3", "Hinweis");
    db.add({.formname = "frm_other", .group = "caption", .component = "Label3", .german = "X"});
    row("caption", "Panel1", "Tafel");
    row("caption", "BTN_OK", "Los");
    row("caption", "ToolButton1", "zuletzt", {.index = 1});
    row("caption", "ToolButton1", "zuerst", {.index = 0});
    row("caption", "CheckBox1", "Alle");
    row("caption", "GroupBox1", "Bereich");
    row("caption", "RadioGroup1", "Auswertung");
    row("caption", "frm_test", "Testfenster");
    row("radio_item", "RadioGroup1", "Tag", {.index = 1});
    row("combobox_item", "ComboBox1", "Tabelle", {.index = 0});
    row("combobox_item", "ComboBox1", "zu weit", {.index = 5});
    row("page_item", "PageControl1", "Grafik", {.index = 1});
    row("statusbar", "1", "Bereit");
    row("statusbar", "x", "keine Zahl");
    row("menu", "MNU_FILE", "Datei");
    row("grid", "dbgrid1", "Systolisch", {.width = 90, .field = "SYSTOLIC", .show = true});
    row("grid", "DBGrid1", "nie", {.width = 5, .field = "diastolic", .show = false});
    row("grid", "DBGrid1", "kein Feld", {.width = 5, .field = "pulse", .show = true});
    row("column_item", "LST_FOUND", "Adresse", {.index = 1});
    row("column_item", "lst_found", "zu weit", {.index = 2});

    const auto snapshot = [&] {
        return QStringList{window.windowTitle(),
                           label->text(),
                           emptied->text(),
                           untouched->text(),
                           panel->caption(),
                           button->text(),
                           tool->text(),
                           check->text(),
                           group->title(),
                           radio->title(),
                           radio->items().join('|'),
                           combo->itemText(0) + '|' + combo->itemText(1) + '|' + combo->itemText(2),
                           tabs->tabText(0) + '|' + tabs->tabText(1),
                           panel0->text() + '|' + panel1->text(),
                           action->text(),
                           grid->column(0).title + ' ' + QString::number(grid->column(0).width),
                           grid->column(1).title + ' ' + QString::number(grid->column(1).width),
                           list->headerItem()->text(0) + '|' + list->headerItem()->text(1) + '|' +
                               QString::number(list->columnCount())};
    };
    const QStringList expected{"Testfenster",   "Beschriftung",  "",
                               "keep",          "Tafel",         "Los",
                               "zuletzt",       "Alle",          "Bereich",
                               "Auswertung",    "time|Tag|week", "Tabelle|Line|Other",
                               "one|Grafik",    "p0|Bereit",     "Datei",
                               "Systolisch 90", "Dia 60",        "Name|Adresse|2"};
    apply();
    EXPECT_EQ(snapshot(), expected);
    apply();
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(FormTexts, WindowNameIsQuotedAndMatchesTheTitleRowOnlyInTheSameCase) {
    window.setObjectName("frm_o'brien");
    window.setWindowTitle("design title");
    auto* label = make<QLabel>("Label1", "design");
    row("caption", "Label1", "Angewendet");
    row("caption", "FRM_O'BRIEN", "anders geschrieben");
    apply();
    EXPECT_EQ(label->text(), "Angewendet");
    EXPECT_EQ(window.windowTitle(), "design title");
}

TEST_F(FormTexts, SeedNamesTheMainWindow) {
    window.setObjectName("frm_main");
    apply();
    EXPECT_EQ(window.windowTitle(), "Oberarm-Blutdruckmessgerät");
}

} // namespace
