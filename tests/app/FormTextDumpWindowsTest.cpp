#include "app/Tfrm_main.h"
#include "lang/FormTextDump.h"
#include "measure/Tfrm_analysis.h"
#include "output/Tfrm_Seluser.h"
#include "persons/Tfrm_user.h"
#include "store/Database.h"
#include "support/WindowContextFixture.h"
#include "tools/Tfrm_sort.h"
#include "tools/Tfrmfind.h"
#include "ui/DataGrid.h"
#include "ui/Panel.h"
#include "ui/RadioGroup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every text the dump covers as shown, by component name.
QStringList texts(QWidget& window) {
    QStringList out;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith("qt_"))
            continue;
        QStringList parts;
        if (auto* label = qobject_cast<QLabel*>(widget))
            parts << label->text();
        if (auto* panel = qobject_cast<ui::Panel*>(widget))
            parts << panel->caption();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            parts << button->text();
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            parts << box->title();
        if (auto* radio = qobject_cast<ui::RadioGroup*>(widget))
            parts << radio->items();
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int index = 0; index < combo->count(); ++index)
                parts << combo->itemText(index);
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int index = 0; index < tabs->count(); ++index)
                parts << tabs->tabText(index);
        if (auto* grid = qobject_cast<ui::DataGrid*>(widget))
            for (const ui::DataGrid::ShownColumn& column : grid->shownColumns())
                parts << column.title + ' ' + QString::number(column.width);
        if (!parts.isEmpty())
            out << name + ": " + parts.join('|');
    }
    return out;
}

class FormTextDumpWindows : public WindowContextFixture {
protected:
    void SetUp() override {
        WindowContextFixture::SetUp();
        chooseLanguage("german");
        dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values (1,'Smith')");
        dm1.ado_user.close();
        dm1.ado_user.open();
        QFile marker(dir.file("post.txt"));
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    }

    int rowsOf(const QString& formName) {
        store::Dataset& rows = dm1.adoquery;
        rows.close();
        rows.setCommandText("select * from bp_language where formname=" + store::quoted(formName));
        rows.open();
        return rows.recordCount();
    }

    // A window shown with the seed's German texts is dumped twice in place of its seed
    // rows; a fresh window then shows the same texts from the dumped rows alone.
    void roundTrip(const std::function<std::unique_ptr<QWidget>()>& make) {
        std::unique_ptr<QWidget> first = make();
        first->show();
        const QString name = first->objectName();
        const QStringList shown = texts(*first);
        ASSERT_GT(rowsOf(name), 0) << qPrintable(name);
        dm1.adocom1.execute("delete * from bp_language where formname=" + store::quoted(name));
        lang::PostFormText(*first, dm1, dir.path());
        const int once = rowsOf(name);
        EXPECT_GT(once, 0) << qPrintable(name);
        lang::PostFormText(*first, dm1, dir.path());
        EXPECT_EQ(rowsOf(name), 2 * once) << qPrintable(name);
        first.reset();

        std::unique_ptr<QWidget> second = make();
        second->show();
        EXPECT_EQ(texts(*second).join('\n').toStdString(), shown.join('\n').toStdString());
    }
};

TEST_F(FormTextDumpWindows, EachWindowShowsItsTextsAgainFromTwoDumps) {
    roundTrip([this] { return std::make_unique<app::Tfrm_main>(context); });
    roundTrip([this] { return std::make_unique<persons::Tfrm_user>(context, "edit"); });
    roundTrip([this] { return std::make_unique<measure::Tfrm_analysis>(context); });
    roundTrip([this] { return std::make_unique<tools::Tfrm_sort>(context); });
    roundTrip([this] { return std::make_unique<output::Tfrm_Seluser>(context); });
    roundTrip([this] {
        auto find = std::make_unique<tools::Tfrmfind>(context);
        return std::unique_ptr<QWidget>(std::move(find));
    });
}

// Person lists hold names from the register: a dump leaves them out, and rows for them
// (written by an earlier version) never rename their items.
TEST_F(FormTextDumpWindows, PersonListsFollowTheRegisterAfterADump) {
    dm1.adocom1.execute("insert into bp_language(formname,[group],component,component_index,"
                        "showtext,show_german) values ('frm_main','combobox_item','comb_user1',0,"
                        "'Stale','Stale')");
    app::Tfrm_main window(context);
    window.show();
    lang::PostFormText(window, dm1, dir.path());
    dm1.adocom1.execute("update bp_userinfo set lastname='Jones' where id=1");
    window.SendMessage(store::WindowMessage::PersonsChanged);
    window.applyLanguage();

    const QStringList lists{"comb_user", "comb_user1", "comb_user2"};
    for (const QString& name : lists) {
        auto* list = window.findChild<QComboBox*>(name);
        ASSERT_NE(list, nullptr) << qPrintable(name);
        ASSERT_EQ(list->count(), 1) << qPrintable(name);
        EXPECT_EQ(list->itemText(0), "Jones") << qPrintable(name);
    }
    store::Dataset& rows = dm1.adoquery;
    rows.close();
    rows.setCommandText("select * from bp_language where component like 'comb_user%' and "
                        "showtext<>'Stale'");
    rows.open();
    EXPECT_EQ(rows.recordCount(), 0);
}

} // namespace
