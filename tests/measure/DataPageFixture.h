#pragma once

#include "measure/DataPage.h"
#include "measure/Tfrm_analysis.h"
#include "store/Database.h"
#include "support/MainWindowFixture.h"
#include "testkit/QueryRows.h"
#include "ui/DataGrid.h"
#include "ui/RadioGroup.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLocale>

// The main window on the Data page, persons put straight into the person box.
class DataPageFixture : public MainWindowFixture {
protected:
    const QLocale previousLocale;

    // Dates show in the German format: dd.MM.yyyy HH:mm.
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        MainWindowFixture::SetUp();
        page = window->dataPage();
        page->setShortDateFormat(measure::ShortDateFormat("dd.MM.yyyy"));
    }
    void TearDown() override { QLocale::setDefault(previousLocale); }

    void persons(const QStringList& names) {
        page->comb_user()->clear();
        page->comb_user()->addItems(names);
    }

    void reading(const QString& person, int systolic, int diastolic, int pulse, const QString& time,
                 bool marked = false) {
        dm1.adocom1.execute(QString("insert into bp_record(personal,systolic,diastolic,heart_beat,"
                                    "checktime,delselection) values (%1,%2,%3,%4,'%5',%6)")
                                .arg(store::quoted(person), QString::number(systolic),
                                     QString::number(diastolic), QString::number(pulse), time,
                                     QLatin1String(marked ? "true" : "false")));
    }

    // The grid's rows as shown, cells joined by "|", without the last two columns, the
    // category and the status.
    QStringList shown() const {
        QStringList rows;
        for (int row = 0; row < page->grid()->shownRowCount(); ++row)
            rows << page->grid()->shownRow(row).mid(0, page->grid()->columnCount() - 2).join('|');
        return rows;
    }

    // systolic|marked of every stored reading, in storage order.
    QStringList stored() {
        return testkit::queryRows(
            dm1.ADOConnection1, "select systolic,delselection<>0 from bp_record order by systolic");
    }

    void chooseView(int index) {
        page->viewBox()->setCurrentIndex(index);
        page->ComboBox3Change();
    }

    void choosePerson(int index) {
        page->comb_user()->setCurrentIndex(index);
        page->comb_userChange();
    }

    // The next analysis dialog is confirmed with this mode and range.
    void confirmAnalysis(measure::AnalysisMode mode, const QDate& start, const QDate& end) {
        page->setAnalysisDialogRunner([mode, start, end](measure::Tfrm_analysis& dialog) {
            dialog.radioGroup()->setItemIndex(int(mode));
            dialog.startPicker()->setDate(start);
            dialog.endPicker()->setDate(end);
            return true;
        });
    }

    void cancelAnalysis() {
        page->setAnalysisDialogRunner([](measure::Tfrm_analysis&) { return false; });
    }

    // A click on a data cell, or on a title when row is -1.
    void click(const QString& field, int row = -1) {
        ui::DataGrid* grid = page->grid();
        const int column = grid->columnIndexOfField(field);
        if (row < 0)
            emit grid->horizontalHeader()->sectionClicked(column);
        else
            emit grid->clicked(grid->model()->index(row, column));
    }

    measure::DataPage* page = nullptr;
};
