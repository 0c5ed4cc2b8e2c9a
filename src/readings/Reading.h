#pragma once

#include <QDateTime>
#include <QStringList>
#include <optional>

namespace readings {

// One blood-pressure reading. The moment's date and time are the local wall clock; its
// zone is not looked at (the store keeps wall-clock text).
struct Reading {
    QDateTime moment;
    int systolic = 0;
    int diastolic = 0;
    std::optional<int> pulse;
    bool mark = false;

    bool operator==(const Reading&) const = default;
};

// What is wrong with a reading, as message keys naming the field, in the order
// systolic, diastolic, pulse, moment; empty for a good reading. A moment may lie up to a
// day after now, as a monitor's clock may run ahead.
QStringList check(const Reading& reading, const QDateTime& now);

// The same moment with the zone ignored: date and time as they read.
QDateTime wallClock(const QDateTime& moment);

} // namespace readings
