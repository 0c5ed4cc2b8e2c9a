#pragma once

#include "BleLink.h"
#include "DownloadMemory.h"
#include "DownloadReport.h"
#include "QuietTimer.h"

#include <QDateTime>
#include <functional>

namespace device {

struct BpMeasurement;

// What a Bluetooth download needs of its surroundings.
struct BleSessionContext {
    BleLink& link;
    DownloadReport& report;
    QuietTimer& quiet;
    std::function<QDateTime()> now;
};

// Downloads the stored readings of a Bluetooth LE monitor into the pending batches of the
// two memories and applies them at the end, also when the session ends early: whole
// readings received are kept, and the message says how many. Readings left out are
// counted by reason and, when there are any, named in one message at the end. One object
// serves one download; the caller sets both gauges' progress to 0 before start.
class BleSession : private BleLinkEvents {
public:
    enum class State { Idle, Connecting, ReadingFeature, Enabling, Requesting, Collecting, Done };
    enum class Outcome {
        Complete,
        EndedEarly, // the readings received are stored, the message says how many
        NotStored,  // the database refused them; nothing is stored
    };
    static constexpr int kQuietEnd = 5000; // ms without an indication that end a burst

    BleSession(BleSessionContext context, DownloadMemories memories);
    ~BleSession() override;
    BleSession(const BleSession&) = delete;
    BleSession& operator=(const BleSession&) = delete;

    void start();
    void cancel();
    // Called once when the session has ended, whichever way.
    void onFinished(std::function<void(Outcome)> finished) { finished_ = std::move(finished); }

    State state() const { return state_; }
    quint16 feature() const { return feature_; }
    int kept() const { return kept_; }
    int unreadable() const { return unreadable_; } // special pressures or malformed payloads
    int undated() const { return undated_; }       // no moment
    // A moment too far ahead, or pressures beyond those a USB monitor's record can hold.
    int outOfRange() const { return outOfRange_; }
    int leftOut() const { return unreadable_ + undated_ + outOfRange_; }

private:
    void connected() override;
    void featureRead(quint16 feature) override;
    void indicationsEnabled() override;
    void measurement(const QByteArray& payload) override;
    void controlPointResponse(const QByteArray& response) override;
    void failed(BleFault fault) override;

    void store(const BpMeasurement& reading);
    void waitForQuiet();
    void finish(const char* failureKey);

    BleSessionContext ctx_;
    DownloadMemories memories_;
    std::function<void(Outcome)> finished_;
    State state_ = State::Idle;
    quint16 feature_ = 0;
    int kept_ = 0;
    int unreadable_ = 0;
    int undated_ = 0;
    int outOfRange_ = 0;
};

} // namespace device
