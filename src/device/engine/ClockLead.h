#pragma once

#include <QDateTime>

namespace device {

// The latest moment a monitor's reading may carry: a day after `now`, as its clock may
// run ahead. Compared as wall-clock time and kept as UTC, which has no daylight-saving
// gaps, so that stored digits are the monitor's.
inline QDateTime latestReadingMoment(const QDateTime& now) {
    constexpr qint64 kClockLead = 24 * 60 * 60;
    return QDateTime(now.date(), now.time(), Qt::UTC).addSecs(kClockLead);
}

} // namespace device
