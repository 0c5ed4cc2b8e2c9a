#pragma once

#include "DevicePort.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

namespace device {

// An 8-byte record as the monitor sends it: month, day, hour, minute, systolic flag
// (non-zero adds 256), systolic low byte, diastolic, pulse.
using Record = std::array<quint8, 8>;

Record reading(int month, int day, int hour, int minute, int systolic, int diastolic, int pulse);

constexpr quint8 kLayoutOne = 0x5A;
constexpr quint8 kLayoutTwo = 0x5B;

// Writes of one command byte: attempts from..from + times - 1 (counted from 1) fail.
struct WriteFault {
    quint8 command = 0xFF;
    int from = 1;
    int times = 1;
};

// Reads from..from + times - 1 (counted from 1) time out.
struct ReadFault {
    int from = 1;
    int times = 1;
};

// `times` extra reports go before report `before` (0 = the header), each a copy of that
// report with `countByte` as its count: 0 gives empty reports, over 7 broken ones.
struct ExtraReports {
    int before = 0;
    int times = 1;
    quint8 countByte = 0;
};

class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A Bluetooth LE monitor: the measurement indications it holds and how it misbehaves.
struct BleScenario {
    static constexpr int kMaxPayload = 20; // bytes of one indication
    static constexpr int kMaxName = 248;   // bytes of a device name
    std::vector<QByteArray> measurements;
    quint16 feature = 0;
    bool controlPoint = true;
    bool noMonitor = false;
    bool indicationsRefused = false;
    int dropAfter = -1; // the link drops after this many indications
    QString name;       // what a scan finds; empty: a name of the simulator's own
};

// What a simulated monitor holds and how it misbehaves.
struct Scenario {
    std::optional<BleScenario> bluetooth; // when given, a Bluetooth monitor and nothing else

    quint8 layout = kLayoutTwo;
    std::vector<Record> memory1; // at most 255 records each
    std::vector<Record> memory2;
    std::vector<Report> reports; // when given, the input reports as they stand

    int openFailures = 0; // opens that find no monitor, from the first
    OpenFailure openFailureReason = OpenFailure::NoDevice; // what those opens say
    int disconnectAfter = -1; // the monitor is gone after this many reports were read
    std::vector<WriteFault> writeFailures;
    std::vector<ReadFault> readTimeouts;
    std::vector<ExtraReports> extraReports;

    // The header, then the record stream (memory 1, then memory 2) in 7-byte slices,
    // with the extra reports put in.
    std::vector<Report> inputReports() const;

    // Throws ScenarioError, naming the place and the key, on malformed text, unknown keys,
    // values of the wrong type or out of range.
    static Scenario fromJson(const QByteArray& json);
};

} // namespace device
