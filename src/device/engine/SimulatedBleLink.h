#pragma once

#include "BleLink.h"
#include "Scenario.h"

#include <QObject>
#include <functional>

namespace device {

// A Bluetooth LE monitor in memory. Each answer is posted to the event loop, so that it
// arrives after the call that asked for it; indications follow one per turn, the burst
// starting when indications are enabled without a control point, or when the control
// point asks for all records.
class SimulatedBleLink : public BleLink {
public:
    explicit SimulatedBleLink(BleScenario scenario);

    void setEvents(BleLinkEvents* events) override { events_ = events; }
    void connectToMonitor() override;
    void readFeature() override;
    void enableIndications() override;
    bool hasControlPoint() const override { return scenario_.controlPoint; }
    void writeControlPoint(const QByteArray& request) override;
    void disconnectFromMonitor() override { events_ = nullptr; }

private:
    void post(std::function<void(BleLinkEvents&)> answer);
    void sendFrom(std::size_t next);

    BleScenario scenario_;
    BleLinkEvents* events_ = nullptr;
    QObject context_; // posted answers die with the link
};

} // namespace device
