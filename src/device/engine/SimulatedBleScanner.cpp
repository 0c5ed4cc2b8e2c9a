#include "SimulatedBleScanner.h"

#include <QTimer>

namespace device {

SimulatedBleScanner::SimulatedBleScanner(BleScenario scenario) : scenario_(std::move(scenario)) {}

void SimulatedBleScanner::start() {
    const int scan = ++scan_;
    const auto current = [this, scan] { return scan == scan_ && events_; };
    QTimer::singleShot(0, &context_, [this, current] {
        if (current() && !scenario_.noMonitor) {
            const QString name = scenario_.name.isEmpty() ? kName : scenario_.name;
            events_->monitorFound({name, kAddress}, kSignal);
        }
        if (current())
            events_->scanFinished();
    });
}

} // namespace device
