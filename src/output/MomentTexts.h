#pragma once

#include "output/LocalOffsets.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>

namespace output {

// A moment as a bundle writes it: the local time with the UTC offset in force then
// ("2024-01-15T07:30:00+01:00"), and in UTC ("2024-01-15T06:30:00Z"). Moments of ordinary
// days, local or at the day's offset, are written without asking the time zone.
class MomentTexts {
public:
    // The texts stay valid until the next call.
    void set(const QDateTime& moment);
    QByteArrayView local() const { return local_; }
    QByteArrayView utc() const { return utc_; }

private:
    LocalOffsets offsets_;
    char localText_[25];
    char utcText_[20];
    QByteArray otherLocal_;
    QByteArray otherUtc_;
    QByteArrayView local_;
    QByteArrayView utc_;
};

} // namespace output
