#pragma once

#include <QtGlobal>

namespace store {

// Bits of the measurement status word a Bluetooth monitor sends with a reading, kept in
// the readings tables' column measurement_status.
constexpr quint16 kStatusBodyMovement = 0x0001;
constexpr quint16 kStatusCuffFit = 0x0002; // the cuff sits too loose
constexpr quint16 kStatusIrregularPulse = 0x0004;
constexpr quint16 kStatusPulseRange = 0x0018; // see pulseRange
constexpr quint16 kStatusPosition = 0x0020;   // improper measurement position

enum class PulseRange { Within, Above, Below, Reserved };

constexpr PulseRange pulseRange(quint16 status) {
    return PulseRange((status & kStatusPulseRange) >> 3);
}

} // namespace store
