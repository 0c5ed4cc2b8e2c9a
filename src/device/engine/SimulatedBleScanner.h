#pragma once

#include "BleScanner.h"
#include "Scenario.h"

#include <QObject>

namespace device {

// Finds the one monitor of a Bluetooth scenario, or none when the scenario says no monitor
// can be found. Answers are posted to the event loop.
class SimulatedBleScanner : public BleScanner {
public:
    static constexpr char kAddress[] = "00:00:5E:00:53:10";
    static constexpr char kName[] = "Simulated monitor";
    static constexpr int kSignal = -58;

    explicit SimulatedBleScanner(BleScenario scenario);

    void setEvents(BleScanEvents* events) override { events_ = events; }
    void start() override;
    void stop() override { ++scan_; }

private:
    BleScenario scenario_;
    BleScanEvents* events_ = nullptr;
    int scan_ = 0;    // answers of an earlier scan are dropped
    QObject context_; // posted answers die with the scanner
};

} // namespace device
