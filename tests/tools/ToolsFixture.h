#pragma once

#include "store/Database.h"
#include "support/WindowContextFixture.h"
#include "ui/DataGrid.h"

#include <QLocale>

// Persons in bp_userinfo, listed by a grid over ado_user in the order of their ids.
// Dates read and show in the German format.
class ToolsFixture : public WindowContextFixture {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        WindowContextFixture::SetUp();
        grid.setColumns({{"delselection", "", 20, false},
                         {"id", "No.", 40},
                         {"lastname", "Last name", 80},
                         {"birthday", "Birthday", 80},
                         {"smoker", "Smoker", 40},
                         {"height", "Height", 40}});
        grid.setDataset(&rows);
    }
    void TearDown() override { QLocale::setDefault(previousLocale); }

    void person(int id, const QString& lastName, const QString& birthday = "1960-05-01 00:00:00",
                bool smoker = false) {
        dm1.adocom1.execute(
            QString("insert into bp_userinfo(id,lastname,birthday,smoker) values (%1,%2,'%3',%4)")
                .arg(QString::number(id), store::quoted(lastName), birthday,
                     QLatin1String(smoker ? "true" : "false")));
    }

    void open() {
        rows.close();
        rows.setCommandText("select * from bp_userinfo order by id");
        rows.open();
    }

    const QLocale previousLocale;
    store::Dataset& rows = dm1.ado_user;
    ui::DataGrid grid{"DBGrideh4"};
};
