#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

namespace device {

// One reading as a Bluetooth LE monitor indicates it on the Blood Pressure Measurement
// characteristic, pressures in mmHg whatever unit the monitor sent.
struct BpMeasurement {
    bool readable = false; // false when systolic or diastolic is a special value
    int systolic = 0;
    int diastolic = 0;
    std::optional<int> pulse;
    QDateTime moment;              // invalid when the monitor sent none or a zero date
    int memory = 1;                // 1 or 2, from the user id
    std::optional<quint16> status; // bits of store/MeasurementStatus.h
};

// Decodes one indication; empty when the payload is shorter than its flags announce.
std::optional<BpMeasurement> decodeBpMeasurement(const QByteArray& payload);

// An IEEE-11073 16-bit float; empty for NaN, NRes, the infinities and the reserved value.
std::optional<double> decodeSfloat(quint16 raw);

// A reading is kept only with a moment no more than a day after `now`, as for USB monitors.
bool isStorableMoment(const QDateTime& moment, const QDateTime& now);

} // namespace device
