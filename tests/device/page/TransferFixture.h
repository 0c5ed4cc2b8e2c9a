#pragma once

#include "device/MemoryBox.h"
#include "device/TransferPage.h"
#include "device/engine/SimulatedMonitor.h"
#include "store/Dataset.h"
#include "support/MainWindowFixture.h"
#include "ui/DataGrid.h"
#include "ui/Gauge.h"

#include <QComboBox>
#include <sqlite3.h>
#include <string>
#include <vector>

using Rows = std::vector<std::string>;
using device::reading;

// Readings of the monitor's memories used by the tests, taken in spring 2024.
namespace monitor {
inline const device::Record morning = reading(5, 2, 7, 0, 142, 91, 80);
inline const device::Record evening = reading(5, 2, 19, 30, 128, 84, 72);
inline const device::Record nextDay = reading(5, 3, 7, 15, 135, 88, 76);
inline const device::Record later = reading(6, 1, 8, 0, 150, 95, 90);
inline const device::Record memory1Reading = reading(4, 20, 9, 5, 118, 76, 64);
} // namespace monitor

inline device::Scenario memories(std::vector<device::Record> memory1,
                                 std::vector<device::Record> memory2) {
    device::Scenario scenario;
    scenario.memory1 = std::move(memory1);
    scenario.memory2 = std::move(memory2);
    return scenario;
}

// The main window on the Transfer page; downloads talk to a simulator loaded with
// `scenario`, without pauses, on 15 June 2024. Both person lists hold Adams and Baker.
class TransferPageTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        page = window->transferPage();
        page->monitorLink().openPort = [this] {
            return std::make_unique<device::SimulatedMonitor>(scenario);
        };
        page->monitorLink().pause = [](int) {};
        page->monitorLink().now = [] { return QDateTime(QDate(2024, 6, 15), QTime(12, 0)); };
        for (QComboBox* list : {page->comb_user1(), page->comb_user2()})
            list->addItems({"Adams", "Baker"});
        window->m_transferClick();
    }

    void choose(const QString& person) {
        page->comb_user1()->setCurrentText(person);
        page->comb_user2()->setCurrentText(person);
    }

    void download(const device::Scenario& readings) {
        scenario = readings;
        messages.shown.clear();
        page->img_transfer_1Click();
    }

    void save2() {
        messages.shown.clear();
        page->img_save_user2Click();
    }

    // "person systolic/diastolic pulse MM-dd hh:mm" by person and time.
    Rows readings(const QString& table) {
        store::Dataset ds(dm1.ADOConnection1, store::WriteMode::Immediate);
        ds.setCommandText("select * from " + table + " order by personal, checktime");
        ds.open();
        Rows out;
        for (ds.first(); !ds.eof(); ds.next())
            out.push_back(QStringLiteral("%1 %2/%3 %4 %5")
                              .arg(ds.asString("personal"))
                              .arg(ds.asInteger("systolic"))
                              .arg(ds.asInteger("diastolic"))
                              .arg(ds.asInteger("heart_beat"))
                              .arg(ds.asDateTime("checktime").toString("MM-dd hh:mm"))
                              .toStdString());
        return out;
    }
    Rows saved() { return readings("bp_record"); }

    void sql(const char* statement) {
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(dm1.ADOConnection1.handle(), statement, nullptr, nullptr, &error),
                  SQLITE_OK)
            << error;
    }

    // Memory 2's grid, one column of every row as shown.
    QStringList shownColumn(int column) {
        ui::DataGrid* grid = page->memory2()->grid();
        QStringList texts;
        for (int row = 0; row < grid->shownRowCount(); ++row)
            texts << grid->shownRow(row).value(column);
        return texts;
    }

    device::TransferPage* page = nullptr;
    device::Scenario scenario;
};
