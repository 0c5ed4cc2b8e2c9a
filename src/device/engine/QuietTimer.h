#pragma once

#include <QTimer>
#include <functional>

namespace device {

// A single-shot timer; starting it again restarts the wait.
class QuietTimer {
public:
    virtual ~QuietTimer() = default;
    virtual void start(int milliseconds, std::function<void()> expired) = 0;
    virtual void stop() = 0;
};

class QtQuietTimer : public QuietTimer {
public:
    QtQuietTimer();
    void start(int milliseconds, std::function<void()> expired) override;
    void stop() override { timer_.stop(); }

private:
    QTimer timer_;
    std::function<void()> expired_;
};

} // namespace device
