#include "device/BleChooser.h"

#include "support/FakeBleScanner.h"
#include "support/WindowContextFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

using device::BleFault;
using device::BleMonitor;

const BleMonitor kitchen{"Kitchen BP", "00:1A:7D:DA:71:13"};
const BleMonitor bedroom{"Bedroom BP", "00:1A:7D:DA:71:14"};

class BleChooserTest : public WindowContextFixture {
protected:
    device::BleChooser& open(const BleMonitor& last = {}) {
        chooser.reset(); // a chooser ends by detaching from the scanner
        chooser = std::make_unique<device::BleChooser>(context, scanner, last);
        return *chooser;
    }

    QStringList rows() const {
        QStringList out;
        QTreeWidget* list = chooser->monitorList();
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            out << item->text(0) + '|' + item->text(1) + '|' + item->text(2);
        }
        return out;
    }

    FakeBleScanner scanner;
    std::unique_ptr<device::BleChooser> chooser;
};

TEST_F(BleChooserTest, ListsWhatTheScanFindsWhileTheBusyDisplayShows) {
    device::BleChooser& dialog = open();
    EXPECT_EQ(scanner.starts, 1);
    EXPECT_TRUE(dialog.scanning());
    EXPECT_FALSE(dialog.busyDisplay()->isHidden());
    EXPECT_FALSE(dialog.rescanButton()->isEnabled());
    EXPECT_FALSE(dialog.okButton()->isEnabled());

    scanner.events->monitorFound(kitchen, -61);
    scanner.events->monitorFound(bedroom, -80);
    scanner.events->monitorFound(kitchen, -55); // seen again, nearer
    EXPECT_EQ(rows(), (QStringList{"Kitchen BP|00:1A:7D:DA:71:13|-55 dBm",
                                   "Bedroom BP|00:1A:7D:DA:71:14|-80 dBm"}));
    EXPECT_EQ(dialog.chosen(), kitchen);
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    scanner.events->scanFinished();
    EXPECT_TRUE(dialog.busyDisplay()->isHidden());
    EXPECT_TRUE(dialog.messageLabel()->isHidden());
    EXPECT_TRUE(dialog.rescanButton()->isEnabled());

    dialog.rescanButton()->click();
    EXPECT_EQ(scanner.starts, 2);
    EXPECT_EQ(rows(), QStringList{});
    EXPECT_FALSE(dialog.chosen());
}

// The monitor chosen last is preselected when it turns up, unless the user picked
// another one by then.
TEST_F(BleChooserTest, PreselectsTheMonitorChosenLastTime) {
    device::BleChooser& dialog = open(bedroom);
    scanner.events->monitorFound(kitchen, -61);
    scanner.events->monitorFound(bedroom, -80);
    EXPECT_EQ(dialog.chosen(), bedroom);

    dialog.show();
    dialog.rescan();
    scanner.events->monitorFound(kitchen, -61);
    scanner.events->monitorFound({"Hall", "00:1A:7D:DA:71:15"}, -70);
    QTest::keyClick(dialog.monitorList(), Qt::Key_Down);
    scanner.events->monitorFound(bedroom, -80);
    EXPECT_EQ(dialog.chosen()->name, "Hall");
}

TEST_F(BleChooserTest, AnEmptyScanOrAFailureShowsItsMessage) {
    struct Case {
        std::function<void(device::BleScanEvents&)> end;
        const char* key;
    };
    const Case cases[] = {
        {[](device::BleScanEvents& e) { e.scanFinished(); }, "ble_no_monitor"},
        {[](device::BleScanEvents& e) { e.scanFailed(BleFault::NoAdapter); }, "ble_no_adapter"},
        {[](device::BleScanEvents& e) { e.scanFailed(BleFault::NoAccess); }, "ble_no_access"},
        {[](device::BleScanEvents& e) { e.scanFailed(BleFault::NoMonitor); }, "ble_no_monitor"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        device::BleChooser& dialog = open();
        c.end(*scanner.events);
        EXPECT_EQ(dialog.messageLabel()->text(), language.GetHintText(c.key));
        EXPECT_FALSE(dialog.messageLabel()->isHidden());
        EXPECT_TRUE(dialog.busyDisplay()->isHidden());
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        EXPECT_TRUE(dialog.rescanButton()->isEnabled());
        dialog.rescan();
        EXPECT_TRUE(dialog.messageLabel()->isHidden());
    }
}

// Enter and a double-click choose, as OK does; Cancel chooses nothing. Each ends the scan.
TEST_F(BleChooserTest, EnterOrDoubleClickChoosesAndEndsTheScan) {
    const std::function<void(device::BleChooser&)> ways[] = {
        [](device::BleChooser& d) { QTest::keyClick(d.monitorList(), Qt::Key_Return); },
        [](device::BleChooser& d) {
            QTreeWidget* list = d.monitorList();
            const QPoint centre = list->visualItemRect(list->topLevelItem(0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        },
        [](device::BleChooser& d) { d.okButton()->click(); },
        [](device::BleChooser& d) { d.cancelButton()->click(); },
    };
    int way = 0;
    for (const auto& choose : ways) {
        SCOPED_TRACE(way);
        device::BleChooser& dialog = open();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        scanner.events->monitorFound(kitchen, -61);
        dialog.monitorList()->setFocus();
        QApplication::processEvents(); // lays the list out
        const int stops = scanner.stops;
        choose(dialog);
        EXPECT_EQ(dialog.result(), way < 3 ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_TRUE(dialog.isHidden());
        EXPECT_EQ(scanner.stops, stops + 1);
        ++way;
    }
}

TEST_F(BleChooserTest, OkWithoutAMonitorDoesNothing) {
    device::BleChooser& dialog = open();
    dialog.show();
    scanner.events->scanFinished();
    QTest::keyClick(&dialog, Qt::Key_Return);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(BleChooserTest, TabVisitsEveryControlInScreenOrderAndTheListIsNamed) {
    chooseLanguage("german");
    device::BleChooser& dialog = open();
    scanner.events->monitorFound(kitchen, -61);
    scanner.events->scanFinished();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.monitorList()->setFocus();
    QStringList visited;
    for (int step = 0; step < 4; ++step) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    visited << QApplication::focusWidget()->objectName();
    EXPECT_EQ(visited,
              (QStringList{"lst_monitors", "btn_rescan", "btnok", "btncancel", "lst_monitors"}));
    EXPECT_EQ(dialog.monitorList()->accessibleName(), "Gefundene Bluetooth-Messgeräte");
    EXPECT_EQ(dialog.monitorList()->headerItem()->text(1), "Adresse");
    EXPECT_EQ(dialog.windowTitle(), "Bluetooth-Messgerät auswählen");
}

} // namespace
