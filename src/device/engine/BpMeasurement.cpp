#include "device/engine/BpMeasurement.h"

#include "device/engine/ClockLead.h"

#include <QtEndian>
#include <cmath>

namespace device {

namespace {

constexpr quint8 kFlagKpa = 0x01;
constexpr quint8 kFlagTimeStamp = 0x02;
constexpr quint8 kFlagPulse = 0x04;
constexpr quint8 kFlagUser = 0x08;
constexpr quint8 kFlagStatus = 0x10;
constexpr double kMmHgPerKpa = 7.50062;

// Reads little-endian fields one after another; `ok` turns false past the end.
class FieldReader {
public:
    explicit FieldReader(const QByteArray& bytes) : bytes_(bytes) {}
    quint8 u8() {
        if (!take(1))
            return 0;
        return static_cast<quint8>(bytes_[pos_ - 1]);
    }
    quint16 u16() {
        if (!take(2))
            return 0;
        return qFromLittleEndian<quint16>(bytes_.constData() + pos_ - 2);
    }
    bool ok = true;

private:
    bool take(int count) {
        if (pos_ + count > bytes_.size())
            ok = false;
        else
            pos_ += count;
        return ok;
    }
    const QByteArray& bytes_;
    int pos_ = 0;
};

std::optional<int> pressure(quint16 raw, bool kpa) {
    const auto value = decodeSfloat(raw);
    if (!value)
        return std::nullopt;
    return static_cast<int>(std::lround(kpa ? *value * kMmHgPerKpa : *value));
}

} // namespace

std::optional<double> decodeSfloat(quint16 raw) {
    int mantissa = raw & 0x0FFF;
    if (mantissa >= 0x07FE && mantissa <= 0x0802)
        return std::nullopt;
    if (mantissa >= 0x0800)
        mantissa -= 0x1000;
    int exponent = raw >> 12;
    if (exponent >= 8)
        exponent -= 16;
    return mantissa * std::pow(10.0, exponent);
}

std::optional<BpMeasurement> decodeBpMeasurement(const QByteArray& payload) {
    FieldReader in(payload);
    const quint8 flags = in.u8();
    const bool kpa = flags & kFlagKpa;
    const auto systolic = pressure(in.u16(), kpa);
    const auto diastolic = pressure(in.u16(), kpa);
    in.u16(); // mean arterial pressure, not kept
    BpMeasurement m;
    if (flags & kFlagTimeStamp) {
        const int year = in.u16();
        const int month = in.u8();
        const int day = in.u8();
        const int hour = in.u8();
        const int minute = in.u8();
        const int second = in.u8();
        if (year != 0 && month != 0 && day != 0)
            m.moment = QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
    }
    if (flags & kFlagPulse)
        m.pulse = pressure(in.u16(), false);
    if (flags & kFlagUser)
        m.memory = in.u8() == 2 ? 2 : 1;
    if (flags & kFlagStatus)
        m.status = in.u16();
    if (!in.ok)
        return std::nullopt;
    m.readable = systolic && diastolic;
    if (m.readable) {
        m.systolic = *systolic;
        m.diastolic = *diastolic;
    }
    return m;
}

bool isStorableMoment(const QDateTime& moment, const QDateTime& now) {
    if (!moment.isValid())
        return false;
    return moment <= latestReadingMoment(now);
}

} // namespace device
