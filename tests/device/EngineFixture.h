#pragma once

#include "device/RecordingReport.h"
#include "device/engine/ProgressGauge.h"
#include "device/engine/SimulatedMonitor.h"
#include "device/engine/TReceiData.h"
#include "store/Tdm1.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using Rows = std::vector<std::string>;

// Downloads from the simulator into a fresh database, without real pauses.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() { dm1.DataModuleCreate(); }

    void download(const device::Scenario& scenario) {
        monitor = std::make_unique<device::SimulatedMonitor>(scenario);
        device::TReceiData engine({*monitor, messages, [this](int ms) { pauses.push_back(ms); },
                                   [this] { return now; }, receiveDelay});
        engine.setMemories(
            {{{&dm1.ado_rc1, &gauge1, "Smith"}, {&dm1.ado_rc2, &gauge2, "O'Neill"}}});
        try {
            engine.Execute();
        } catch (...) {
            errorCount = engine.ErrorCount();
            throw;
        }
        errorCount = engine.ErrorCount();
    }

    // What the Transfer page does before a download.
    void emptyTables() {
        dm1.adocom1.execute("delete * from bp_record_user1");
        dm1.adocom1.execute("delete * from bp_record_user2");
        for (store::Dataset* ds : {&dm1.ado_rc1, &dm1.ado_rc2}) {
            ds->close();
            ds->open();
        }
        gauge1.setProgress(0);
        gauge2.setProgress(0);
    }

    // "idno personal systolic/diastolic pulse mm/dd hh:mm checktime" in idno order.
    Rows rows(const QString& table) {
        store::Dataset ds(dm1.ADOConnection1, store::WriteMode::Immediate);
        ds.setCommandText("select * from " + table + " order by idno");
        ds.open();
        Rows out;
        for (ds.first(); !ds.eof(); ds.next())
            out.push_back(QStringLiteral("%1 %2 %3/%4 %5 %6 %7 %8")
                              .arg(ds.asInteger("idno"))
                              .arg(ds.asString("personal"))
                              .arg(ds.asInteger("systolic"))
                              .arg(ds.asInteger("diastolic"))
                              .arg(ds.asInteger("heart_beat"))
                              .arg(ds.asString("checktime_mmdd"), ds.asString("checktime_hhmm"),
                                   ds.asDateTime("checktime").toString("yyyy-MM-dd hh:mm:ss"))
                              .toStdString());
        return out;
    }

    // One message, the error count, nothing stored or pending, the monitor released.
    void expectFailed(const QString& shown, int errors) {
        EXPECT_EQ(messages.shown, QStringList{shown});
        EXPECT_EQ(errorCount, errors);
        EXPECT_TRUE(rows("bp_record_user1").empty());
        EXPECT_TRUE(rows("bp_record_user2").empty());
        EXPECT_FALSE(dm1.ado_rc1.hasPendingUpdates() || dm1.ado_rc2.hasPendingUpdates());
        EXPECT_FALSE(monitor->isOpen());
    }

    int count(const QString& event) const { return int(monitor->log().count(event)); }

    TempAppDir dir;
    store::Tdm1 dm1{dir.path()};
    RecordingReport messages;
    std::vector<int>& windowMessages = messages.windowMessages;
    device::PlainGauge gauge1;
    device::PlainGauge gauge2;
    std::vector<int> pauses;
    QDateTime now{QDate(2024, 6, 15), QTime(12, 0)};
    int receiveDelay = 20;
    std::unique_ptr<device::SimulatedMonitor> monitor;
    int errorCount = -1;
};

// Three readings in memory 1 and two in memory 2: 40 bytes, a header and six reports.
inline device::Scenario fiveReadings() {
    using device::reading;
    device::Scenario s;
    s.memory1 = {reading(3, 14, 8, 30, 128, 82, 70), reading(3, 15, 9, 5, 131, 85, 72),
                 reading(4, 1, 20, 45, 119, 78, 66)};
    s.memory2 = {reading(5, 2, 7, 0, 142, 91, 80), reading(5, 3, 7, 10, 139, 88, 77)};
    return s;
}
