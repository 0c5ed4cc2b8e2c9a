#pragma once

#include "device/engine/BleLink.h"
#include "device/engine/QuietTimer.h"

#include <QStringList>

// A link that logs the session's calls; the test answers them through `events`.
class FakeBleLink : public device::BleLink {
public:
    void setEvents(device::BleLinkEvents* e) override { events = e; }
    void connectToMonitor() override { calls << "connect"; }
    void readFeature() override { calls << "feature"; }
    void enableIndications() override { calls << "indicate"; }
    bool hasControlPoint() const override { return controlPoint; }
    void writeControlPoint(const QByteArray& request) override {
        calls << "racp:" + request.toHex();
    }
    void disconnectFromMonitor() override { calls << "disconnect"; }

    device::BleLinkEvents* events = nullptr;
    bool controlPoint = true;
    QStringList calls;
};

// A timer the test expires by hand.
class FakeQuietTimer : public device::QuietTimer {
public:
    void start(int milliseconds, std::function<void()> expired) override {
        running = milliseconds;
        expired_ = std::move(expired);
        ++starts;
    }
    void stop() override { running = 0; }
    void expire() {
        running = 0;
        expired_();
    }

    int running = 0; // the wait in ms, 0 when stopped
    int starts = 0;

private:
    std::function<void()> expired_;
};
