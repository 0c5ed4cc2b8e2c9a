#pragma once

#include "persons/Tfrm_user.h"
#include "persons/UserPage.h"
#include "store/Database.h"
#include "support/MainWindowFixture.h"
#include "testkit/QueryRows.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <sqlite3.h>

// The main window on the User page, with persons and readings written straight into
// the database and the person dialog driven in place of its modal run.
class PersonsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        window->m_userClick();
    }

    persons::UserPage& page() { return *window->userPage(); }

    // Persons as "Name" with ids 1..n, then the register and the lists read again.
    void addPersons(const QStringList& lastNames) {
        int id = 0;
        for (const QString& name : lastNames)
            dm1.adocom1.execute(
                QStringLiteral("insert into bp_userinfo(id,lastname,firstname) values(%1,%2,'F')")
                    .arg(++id)
                    .arg(store::quoted(name)));
        dm1.ado_user.close();
        dm1.ado_user.open();
        page().AddUserInfo();
    }

    void addReadings(const QString& personal) {
        for (const char* table : {"bp_record", "bp_record_user1", "bp_record_user2"})
            dm1.adocom1.execute(QStringLiteral("insert into %1(personal,systolic,diastolic,"
                                               "heart_beat,checktime) values(%2,120,80,60,"
                                               "'2024-03-05 08:30:00')")
                                    .arg(table, store::quoted(personal)));
    }

    // Raw SQL for the test's own triggers.
    void exec(const char* sql) {
        ASSERT_EQ(sqlite3_exec(dm1.ADOConnection1.handle(), sql, nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }

    QStringList query(const QString& sql) { return testkit::queryRows(dm1.ADOConnection1, sql); }
    QStringList registerRows() {
        return query("select id || ':' || lastname from bp_userinfo order by id");
    }
    QStringList readingsOf(const QString& table) {
        return query("select personal from " + table + " order by personal");
    }

    // All three person lists hold exactly these names and none is chosen.
    void expectLists(const QStringList& names) {
        for (const char* name : {"comb_user", "comb_user1", "comb_user2"}) {
            auto* list = window->findChild<QComboBox*>(name);
            ASSERT_NE(list, nullptr) << name;
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            EXPECT_EQ(items, names) << name;
            EXPECT_EQ(list->currentIndex(), -1) << name;
        }
    }

    // Opens the dialog through its button; steps run while it is shown, then it is
    // closed by its close box if still open. False when no dialog opened.
    bool runDialog(void (persons::UserPage::*button)(),
                   const std::function<void(persons::Tfrm_user&)>& steps) {
        bool opened = false;
        page().runUserForm = [&](persons::Tfrm_user& form) {
            opened = true;
            form.show();
            steps(form);
            if (form.isVisible())
                form.close();
        };
        (page().*button)();
        return opened;
    }
};

// Sets a line edit's text as typing would.
inline void type(persons::Tfrm_user& form, const QString& editName, const QString& text) {
    auto* edit = form.findChild<QLineEdit*>(editName);
    ASSERT_NE(edit, nullptr) << qPrintable(editName);
    edit->setText(text);
}

// Types into a field through its key handling, in place of what it holds.
inline void retype(QWidget* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Fills the two names and saves.
inline auto saveAs(const QString& lastName, const QString& firstName = "Anna") {
    return [=](persons::Tfrm_user& form) {
        type(form, "edt_lastname", lastName);
        type(form, "edt_firstname", firstName);
        form.BitBtn1Click();
    };
}
