#pragma once

namespace device {

// The pressures a download keeps, in mmHg: what the USB monitor's record can hold, a
// systolic of 1 to 511 (one byte and a flag worth 256) and a diastolic of 1 to 255.
constexpr bool isStorablePressure(int systolic, int diastolic) {
    return systolic >= 1 && systolic <= 511 && diastolic >= 1 && diastolic <= 255;
}

} // namespace device
