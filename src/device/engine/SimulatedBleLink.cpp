#include "SimulatedBleLink.h"

#include <QTimer>

namespace device {

namespace {

const QByteArray kAllSent = QByteArray::fromHex("06000101");
const QByteArray kNoneHeld = QByteArray::fromHex("06000106");

} // namespace

SimulatedBleLink::SimulatedBleLink(BleScenario scenario) : scenario_(std::move(scenario)) {}

void SimulatedBleLink::post(std::function<void(BleLinkEvents&)> answer) {
    QTimer::singleShot(0, &context_, [this, answer = std::move(answer)] {
        if (events_)
            answer(*events_);
    });
}

void SimulatedBleLink::connectToMonitor() {
    if (scenario_.noMonitor)
        post([](BleLinkEvents& e) { e.failed(BleFault::NoMonitor); });
    else
        post([](BleLinkEvents& e) { e.connected(); });
}

void SimulatedBleLink::readFeature() {
    post([feature = scenario_.feature](BleLinkEvents& e) { e.featureRead(feature); });
}

void SimulatedBleLink::enableIndications() {
    if (scenario_.indicationsRefused) {
        post([](BleLinkEvents& e) { e.failed(BleFault::IndicationsRefused); });
        return;
    }
    post([](BleLinkEvents& e) { e.indicationsEnabled(); });
    if (!scenario_.controlPoint)
        sendFrom(0);
}

void SimulatedBleLink::writeControlPoint(const QByteArray& request) {
    if (request == QByteArray::fromHex("0101"))
        sendFrom(0);
}

// Posts indication `next`, and from it the rest of the burst, the drop or the response.
void SimulatedBleLink::sendFrom(std::size_t next) {
    if (scenario_.dropAfter >= 0 && int(next) >= scenario_.dropAfter) {
        post([](BleLinkEvents& e) { e.failed(BleFault::LinkLost); });
    } else if (next < scenario_.measurements.size()) {
        post([this, next](BleLinkEvents& e) {
            e.measurement(scenario_.measurements[next]);
            sendFrom(next + 1);
        });
    } else if (scenario_.controlPoint) {
        post([none = scenario_.measurements.empty()](BleLinkEvents& e) {
            e.controlPointResponse(none ? kNoneHeld : kAllSent);
        });
    }
}

} // namespace device
