#include "QuietTimer.h"

namespace device {

QtQuietTimer::QtQuietTimer() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (expired_)
            expired_();
    });
}

void QtQuietTimer::start(int milliseconds, std::function<void()> expired) {
    expired_ = std::move(expired);
    timer_.start(milliseconds);
}

} // namespace device
