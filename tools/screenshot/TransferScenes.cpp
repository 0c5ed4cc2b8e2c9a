#include "Scene.h"
#include "device/TransferPage.h"
#include "device/engine/SimulatedMonitor.h"

#include <QComboBox>

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

const SceneRegistration transfer{{"transfer-page", afterDownload}};

} // namespace
