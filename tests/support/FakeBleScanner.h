#pragma once

#include "device/engine/BleScanner.h"

// A scanner that counts its starts and stops; the test reports what it finds through
// `events`.
class FakeBleScanner : public device::BleScanner {
public:
    void setEvents(device::BleScanEvents* e) override { events = e; }
    void start() override { ++starts; }
    void stop() override { ++stops; }

    device::BleScanEvents* events = nullptr;
    int starts = 0;
    int stops = 0;
};
