#include "TransferFixture.h"
#include "lang/FormTexts.h"
#include "ui/RadioGroup.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

// A reading with time stamp, pulse and user id, as the scenario file writes it.
QString indication(int user, int systolic, int diastolic, int day, int hour, int pulse) {
    return QStringLiteral("0e %1 00 %2 00 0000 e807 06 %3 %4 00 00 %5 00 %6")
        .arg(systolic, 2, 16, QLatin1Char('0'))
        .arg(diastolic, 2, 16, QLatin1Char('0'))
        .arg(day, 2, 16, QLatin1Char('0'))
        .arg(hour, 2, 16, QLatin1Char('0'))
        .arg(pulse, 2, 16, QLatin1Char('0'))
        .arg(user, 2, 16, QLatin1Char('0'));
}

// The indication with a status word as well.
QString withStatus(const QString& indication, quint16 status) {
    return QString::number(indication.left(2).toInt(nullptr, 16) | 0x10, 16) + indication.mid(2) +
           QStringLiteral(" %1%2")
               .arg(status & 0xFF, 2, 16, QLatin1Char('0'))
               .arg(status >> 8, 2, 16, QLatin1Char('0'));
}

class BluetoothDownload : public TransferPageTest {
protected:
    // --simulate-monitor=FILE with a Bluetooth scenario of these indications.
    void useScenario(const QStringList& indications, const QString& more = {}) {
        const QString path = dir.file("bluetooth.json");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(R"({"bluetooth": {"measurements": ["%1"]%2}})")
                       .arg(indications.join(QStringLiteral("\", \"")), more)
                       .toUtf8());
        file.close();
        const device::MonitorFactories monitor = device::monitorFromArguments(
            {"tonvi", "--simulate-monitor=" + path}, QDate(2024, 6, 15));
        ASSERT_TRUE(monitor.openBleScanner && monitor.openBleLink);
        page->monitorLink().openBleScanner = monitor.openBleScanner;
        page->monitorLink().openBleLink = monitor.openBleLink;
        page->setLinkChoice({device::Connection::Bluetooth, {}},
                            [this](const device::LinkChoice& c) { remembered.push_back(c); });
        // Waits for the scan to end, notes what the chooser shows, and answers.
        page->setBleChooserRunner([this](device::BleChooser& chooser) {
            for (int turn = 0; turn < 100 && chooser.scanning(); ++turn)
                QCoreApplication::processEvents();
            offered = chooser.chosen();
            chooserMessage = chooser.messageLabel()->text();
            return chooserAnswer;
        });
    }

    // Each reading's stored status in time order, "-" for none.
    QStringList statuses(const QString& table) {
        store::Dataset ds(dm1.ADOConnection1, store::WriteMode::Immediate);
        ds.setCommandText("select ifnull(measurement_status, '-') as s from " + table +
                          " order by checktime");
        ds.open();
        QStringList out;
        for (ds.first(); !ds.eof(); ds.next())
            out << ds.asString("s");
        return out;
    }
    bool chooserAnswer = true;
    std::optional<device::BleMonitor> offered;
    QString chooserMessage;
    std::vector<device::LinkChoice> remembered;
};

TEST_F(BluetoothDownload, FillsBothMemoriesAndSavesUnderAPerson) {
    useScenario({indication(1, 118, 76, 10, 8, 64), indication(2, 142, 91, 11, 7, 80),
                 indication(0xFF, 131, 85, 12, 19, 72)});
    choose("Baker");
    page->img_transfer_1Click();
    EXPECT_EQ(messages.shown, QStringList{"inform:transfer_ok"});
    EXPECT_EQ(readings("bp_record_user1"),
              (Rows{"Baker 118/76 64 06-10 08:00", "Baker 131/85 72 06-12 19:00"}));
    EXPECT_EQ(readings("bp_record_user2"), Rows{"Baker 142/91 80 06-11 07:00"});
    EXPECT_EQ(page->memory2()->grid()->shownRowCount(), 1);

    save2();
    EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
    EXPECT_EQ(saved(), Rows{"Baker 142/91 80 06-11 07:00"});
}

// The status word goes with its reading into the memory and from there into bp_record;
// downloading and saving again stores nothing twice.
TEST_F(BluetoothDownload, KeepsEachReadingsStatusWhenSaved) {
    useScenario({withStatus(indication(2, 118, 76, 10, 8, 64), 0x0024),
                 indication(2, 142, 91, 11, 7, 80),
                 withStatus(indication(2, 131, 85, 12, 19, 72), 0)});
    choose("Adams");
    for (int round = 0; round < 2; ++round) {
        page->img_transfer_1Click();
        EXPECT_EQ(statuses("bp_record_user2"), (QStringList{"36", "-", "0"}));
        EXPECT_EQ(shownColumn(6), (QStringList{"irregular pulse, improper position", "", ""}));
        save2();
        EXPECT_EQ(messages.shown, QStringList{"inform:user_bprecord_post_ok"});
        EXPECT_EQ(statuses("bp_record"), (QStringList{"36", "-", "0"}));
    }
}

// Readings that cannot be stored are named by reason in one message, in place of the
// success message; the others are stored.
TEST_F(BluetoothDownload, TellsHowManyReadingsWereLeftOut) {
    const QString good = indication(2, 118, 76, 10, 8, 64);
    useScenario({QString(good).replace(2, 6, " ff 07"), // systolic NaN
                 "0c 7800 5000 0000 4000 02",           // no time stamp
                 QString(good).replace("e807", "e907"), // 2025: in the future
                 QString(good).replace(2, 6, " 58 02"), // systolic 600
                 good, indication(2, 142, 91, 11, 7, 80)});
    choose("Adams");
    page->img_transfer_1Click();
    EXPECT_EQ(messages.shown, QStringList{"fail:ble_left_out[2|1|1|2]"});
    EXPECT_EQ(readings("bp_record_user2"),
              (Rows{"Adams 118/76 64 06-10 08:00", "Adams 142/91 80 06-11 07:00"}));
}

// The readings that arrived before the link dropped stay, and the message says how many.
TEST_F(BluetoothDownload, ADroppedLinkKeepsWhatArrived) {
    useScenario({indication(2, 118, 76, 10, 8, 64), indication(2, 142, 91, 11, 7, 80)},
                R"(, "faults": {"dropAfter": 1})");
    choose("Adams");
    page->img_transfer_1Click();
    EXPECT_EQ(messages.shown, QStringList{"fail:ble_link_lost[1]"});
    EXPECT_EQ(readings("bp_record_user2"), Rows{"Adams 118/76 64 06-10 08:00"});
}

// The progress box stays usable in the disabled window; its Cancel keeps what arrived.
TEST_F(BluetoothDownload, CancelFromTheProgressBox) {
    useScenario({indication(1, 118, 76, 10, 8, 64)}, R"(, "controlPoint": false)");
    QTimer poll; // once the reading has arrived, while the monitor stays quiet
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = page->window()->findChild<QProgressDialog*>("bleProgress");
        if (!progress || page->memory1()->gauge()->progress() != 1)
            return;
        poll.stop();
        progress->findChild<QPushButton*>()->click();
    });
    poll.start(1);
    page->img_transfer_1Click();
    EXPECT_EQ(messages.shown, QStringList{"fail:ble_cancelled[1]"});
    EXPECT_EQ(readings("bp_record_user1").size(), 1u);
    EXPECT_TRUE(page->window()->isEnabled());
}

// Cancel in the chooser leaves the memories as they were and remembers nothing.
TEST_F(BluetoothDownload, CancelInTheChooserDownloadsNothing) {
    download(memories({}, {monitor::morning}));
    const Rows before = readings("bp_record_user2");
    ASSERT_EQ(before.size(), 1u);
    useScenario({indication(2, 118, 76, 10, 8, 64)});
    chooserAnswer = false;
    messages.shown.clear();
    page->img_transfer_1Click();
    EXPECT_TRUE(offered);
    EXPECT_EQ(messages.shown, QStringList{});
    EXPECT_EQ(readings("bp_record_user2"), before);
    EXPECT_EQ(page->memory2()->grid()->shownRowCount(), 1);
    EXPECT_TRUE(remembered.empty());
}

// A scenario without a monitor: the chooser says so, and nothing can be chosen.
TEST_F(BluetoothDownload, NoMonitorFoundIsShownInTheChooser) {
    useScenario({indication(1, 118, 76, 10, 8, 64)}, R"(, "faults": {"noMonitor": true})");
    page->img_transfer_1Click();
    EXPECT_FALSE(offered);
    EXPECT_EQ(chooserMessage, language.GetHintText("ble_no_monitor"));
    EXPECT_EQ(messages.shown, QStringList{});
    EXPECT_EQ(readings("bp_record_user1"), Rows{});
}

// The connection the user clicks and the monitor chosen are handed on to be kept.
TEST_F(BluetoothDownload, TheLinkChoiceIsRemembered) {
    useScenario({indication(1, 118, 76, 10, 8, 64)}, R"(, "name": "Hall")");
    page->connectionChoice()->setItemIndex(0);
    ASSERT_EQ(remembered.size(), 1u);
    EXPECT_EQ(remembered.back().connection, device::Connection::Usb);
    page->connectionChoice()->setItemIndex(1);
    page->img_transfer_1Click();
    ASSERT_EQ(remembered.size(), 3u);
    EXPECT_EQ(remembered.back().connection, device::Connection::Bluetooth);
    EXPECT_EQ(remembered.back().monitor.name, "Hall");
    EXPECT_EQ(page->linkChoice().monitor, remembered.back().monitor);
}

TEST_F(TransferPageTest, TheConnectionBoxTakesItsTextsFromTheLanguageTable) {
    chooseLanguage("german");
    lang::SetFormText(*window, language, pictures);
    EXPECT_EQ(page->connectionChoice()->title(), "Verbindung");
    EXPECT_EQ(page->connectionChoice()->items(), (QStringList{"USB-Kabel", "Bluetooth"}));
    EXPECT_EQ(page->connectionChoice()->itemIndex(), 0);
}

} // namespace
