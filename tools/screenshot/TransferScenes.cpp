#include "Scene.h"
#include "device/TransferPage.h"
#include "device/engine/SimulatedBleScanner.h"
#include "device/engine/SimulatedMonitor.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

namespace {

// The Transfer page after a download of the built-in readings, on a fixed day.
QWidget* afterDownload(app::Tfrm_main& window, store::Tdm1&) {
    const QDateTime now(QDate(2024, 6, 15), QTime(12, 0));
    device::TransferPage& page = *window.transferPage();
    page.monitorLink().openPort = [now] {
        return std::make_unique<device::SimulatedMonitor>(device::builtInReadings(now.date()));
    };
    page.monitorLink().pause = [](int) {};
    page.monitorLink().now = [now] { return now; };
    page.comb_user1()->addItem("Miller");
    page.comb_user2()->addItem("Miller");
    window.m_transferClick();
    page.img_transfer_1Click();
    return &window;
}

// The chooser of a Bluetooth monitor after the simulated scan found one; the chooser lives
// only while the download button's step runs, so its picture is kept in a label.
QWidget* bluetoothChooser(app::Tfrm_main& window, store::Tdm1&) {
    device::TransferPage& page = *window.transferPage();
    device::BleScenario monitor;
    monitor.name = QStringLiteral("Kitchen monitor");
    page.monitorLink().openBleScanner = [monitor] {
        return std::make_unique<device::SimulatedBleScanner>(monitor);
    };
    page.setLinkChoice({device::Connection::Bluetooth, {}}, nullptr);
    window.m_transferClick();
    auto* picture = new QLabel(&window, Qt::Window);
    page.setBleChooserRunner([picture](device::BleChooser& dialog) {
        dialog.show();
        for (int turn = 0; turn < 100 && dialog.scanning(); ++turn)
            QApplication::processEvents();
        QApplication::processEvents();
        picture->setPixmap(dialog.grab());
        picture->resize(dialog.size());
        return false;
    });
    page.img_transfer_1Click();
    return picture;
}

const SceneRegistration transfer{{"transfer-page", afterDownload}};
const SceneRegistration chooser{{"bluetooth-chooser", bluetoothChooser}};

} // namespace
