#include "readings/Reading.h"

namespace readings {

namespace {

constexpr int kSystolicLow = 40, kSystolicHigh = 300;
constexpr int kDiastolicLow = 20, kDiastolicHigh = 250;
constexpr int kPulseLow = 20, kPulseHigh = 250;

bool within(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

QDateTime wallClock(const QDateTime& moment) {
    if (!moment.isValid() || moment.timeSpec() == Qt::UTC)
        return moment.isValid() ? moment : QDateTime();
    return QDateTime(moment.date(), moment.time(), Qt::UTC);
}

QStringList check(const Reading& reading, const QDateTime& now) {
    QStringList problems;
    if (!within(reading.systolic, kSystolicLow, kSystolicHigh))
        problems << QStringLiteral("reading_systolic_range");
    if (!within(reading.diastolic, kDiastolicLow, kDiastolicHigh))
        problems << QStringLiteral("reading_diastolic_range");
    else if (reading.diastolic >= reading.systolic)
        problems << QStringLiteral("reading_diastolic_not_lower");
    if (reading.pulse && !within(*reading.pulse, kPulseLow, kPulseHigh))
        problems << QStringLiteral("reading_pulse_range");
    if (!reading.moment.isValid())
        problems << QStringLiteral("reading_moment_missing");
    else if (wallClock(reading.moment) > wallClock(now).addDays(1))
        problems << QStringLiteral("reading_moment_future");
    return problems;
}

} // namespace readings
