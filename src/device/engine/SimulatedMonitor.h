#pragma once

#include "DevicePort.h"
#include "Scenario.h"

#include <QStringList>
#include <deque>
#include <map>

namespace device {

// A monitor in memory. "5A" opens an exchange (from the header again) and the next "5A"
// closes it. Each "FF" written during an exchange puts the next input report of the
// scenario into the host's input queue, an empty report once the scenario has no more;
// a read takes the oldest queued report and times out when none is queued.
class SimulatedMonitor : public DevicePort {
public:
    explicit SimulatedMonitor(Scenario scenario);

    Handle open(qint32 identifier) override;
    OpenFailure openFailure() const override { return scenario_.openFailureReason; }
    void describe(Handle&) override {}
    bool write(Handle handle, const Report& report, int timeoutMs) override;
    bool read(Handle handle, Report& report, int timeoutMs) override;
    void close(Handle handle) override;

    bool isOpen() const { return handle_ != 0; }
    // Every operation in order: "open", "open failed", "write 5A", "write FF failed",
    // "read", "read timed out", "close".
    const QStringList& log() const { return log_; }

private:
    bool usable(Handle handle) const { return handle != 0 && handle == handle_ && !gone_; }
    bool writeFails(quint8 command, int attempt) const;
    bool readTimesOut(int attempt) const;

    Scenario scenario_;
    std::vector<Report> script_;
    std::size_t next_ = 0;
    std::deque<Report> queue_;
    bool exchange_ = false;
    bool gone_ = false;
    Handle handle_ = 0;
    Handle lastHandle_ = 0;
    int opens_ = 0;
    int reads_ = 0;
    int delivered_ = 0;
    std::map<quint8, int> writes_;
    QStringList log_;
};

} // namespace device
