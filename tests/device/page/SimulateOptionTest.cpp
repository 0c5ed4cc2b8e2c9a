#include "TransferFixture.h"
#include "device/engine/HidDevicePort.h"

#include <QFile>

namespace {

const QDate today(2024, 6, 15);

TEST(SimulateOption, WithoutItTheUsbMonitorIsUsed) {
    const device::PortFactory ports =
        device::monitorFromArguments({"tonvi", "-platform", "offscreen"}, today).openPort;
    EXPECT_NE(dynamic_cast<device::HidDevicePort*>(ports().get()), nullptr);
}

// The error goes to standard error too, for a user who started the program in a terminal.
TEST(SimulateOption, AnUnreadableOrInvalidFileStopsWithItsNameAndKey) {
    TempAppDir dir;
    const QString missing = dir.file("missing.json");
    const QString broken = dir.file("broken.json");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"memory1": [{"month": 3}], "faults": {"writeFailures": [{"command": "AB"}]}})");
    file.close();
    for (const auto& [path, detail] :
         {std::pair{missing, QString()},
          std::pair{broken, QStringLiteral("at faults.writeFailures[0].command")}}) {
        testing::internal::CaptureStderr();
        try {
            device::monitorFromArguments({"tonvi", "--simulate-monitor=" + path}, today);
            ADD_FAILURE() << "accepted " << qPrintable(path);
        } catch (const device::ScenarioError& error) {
            const QString text = QString::fromStdString(error.what());
            EXPECT_TRUE(text.contains(path) && text.contains(detail)) << error.what();
        }
        const QString printed = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_TRUE(printed.contains(path) && printed.contains(detail)) << qPrintable(printed);
    }
}

// Every built-in reading arrives, dated before today, within plausible ranges.
TEST_F(TransferPageTest, TheBuiltInReadingsDownloadCompletely) {
    page->monitorLink().openPort =
        device::monitorFromArguments({"tonvi", "--simulate-monitor"}, today).openPort;
    choose("Adams");
    page->img_transfer_1Click();
    EXPECT_EQ(messages.shown, QStringList{"inform:transfer_ok"});
    const device::Scenario builtIn = device::builtInReadings(today);
    EXPECT_GE(builtIn.memory1.size(), 4u);
    EXPECT_GE(builtIn.memory2.size(), 4u);
    for (device::MemoryBox* box : {page->memory1(), page->memory2()}) {
        store::Dataset& rows = box->rows();
        EXPECT_EQ(rows.recordCount(),
                  int((box->memory() == 1 ? builtIn.memory1 : builtIn.memory2).size()));
        for (rows.first(); !rows.eof(); rows.next()) {
            EXPECT_LT(rows.asDateTime("checktime").date(), today);
            EXPECT_GT(rows.asDateTime("checktime").date(), today.addDays(-31));
            EXPECT_TRUE(rows.asInteger("systolic") > rows.asInteger("diastolic") + 20);
            EXPECT_TRUE(rows.asInteger("diastolic") > 60 && rows.asInteger("systolic") < 170);
            EXPECT_TRUE(rows.asInteger("heart_beat") > 50 && rows.asInteger("heart_beat") < 100);
        }
    }
}

TEST_F(TransferPageTest, AScenarioFileIsReplayedOnEveryDownload) {
    const QString path = dir.file("memory.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"layout": "two", "memory2": [{"month": 5, "day": 2, "hour": 7,
                   "systolic": 142, "diastolic": 91, "pulse": 80}, "05 02 13 1e 00 80 54 48"]})");
    file.close();
    page->monitorLink().openPort =
        device::monitorFromArguments({"tonvi", "--simulate-monitor=" + path}, today).openPort;
    choose("Baker");
    for (int round = 0; round < 2; ++round) {
        page->img_transfer_1Click();
        EXPECT_EQ(readings("bp_record_user2"),
                  (Rows{"Baker 142/91 80 05-02 07:00", "Baker 128/84 72 05-02 19:30"}));
    }
}

} // namespace
