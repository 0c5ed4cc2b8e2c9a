#include "BleSession.h"

#include "BpMeasurement.h"
#include "PressureRange.h"
#include "ProgressGauge.h"
#include "store/DatabaseError.h"
#include "store/Dataset.h"

#include <QStringList>

namespace device {

namespace {

constexpr char kReportStoredRecords[] = "\x01\x01"; // op code 1, operator "all records"
constexpr quint8 kResponseCode = 0x06;
constexpr quint8 kSuccess = 0x01;
constexpr quint8 kNoRecords = 0x06;

} // namespace

BleSession::BleSession(BleSessionContext context, DownloadMemories memories)
    : ctx_(std::move(context)), memories_(std::move(memories)) {
    ctx_.link.setEvents(this);
}

BleSession::~BleSession() {
    ctx_.quiet.stop();
    ctx_.link.setEvents(nullptr);
}

void BleSession::start() {
    state_ = State::Connecting;
    ctx_.link.connectToMonitor();
}

void BleSession::cancel() {
    if (state_ != State::Idle && state_ != State::Done)
        finish("ble_cancelled");
}

void BleSession::connected() {
    if (state_ != State::Connecting)
        return;
    state_ = State::ReadingFeature;
    ctx_.link.readFeature();
}

void BleSession::featureRead(quint16 feature) {
    if (state_ != State::ReadingFeature)
        return;
    feature_ = feature;
    state_ = State::Enabling;
    ctx_.link.enableIndications();
}

void BleSession::indicationsEnabled() {
    if (state_ != State::Enabling)
        return;
    if (ctx_.link.hasControlPoint()) {
        state_ = State::Requesting;
        ctx_.link.writeControlPoint(QByteArray(kReportStoredRecords, 2));
    } else {
        state_ = State::Collecting;
        waitForQuiet();
    }
}

void BleSession::measurement(const QByteArray& payload) {
    if (state_ != State::Requesting && state_ != State::Collecting)
        return;
    const auto reading = decodeBpMeasurement(payload);
    if (!reading || !reading->readable)
        ++unreadable_;
    else if (!reading->moment.isValid())
        ++undated_;
    else if (!isStorableMoment(reading->moment, ctx_.now()) ||
             !isStorablePressure(reading->systolic, reading->diastolic))
        ++outOfRange_;
    else
        store(*reading);
    if (state_ == State::Collecting)
        waitForQuiet();
}

// Only the answer to our request ends the session; a code other than success or "no
// records" ends it early.
void BleSession::controlPointResponse(const QByteArray& response) {
    if (state_ != State::Requesting || response.size() < 4 ||
        quint8(response[0]) != kResponseCode || quint8(response[2]) != kReportStoredRecords[0])
        return;
    const quint8 code = quint8(response[3]);
    finish(code == kSuccess || code == kNoRecords ? nullptr : "ble_request_failed");
}

void BleSession::failed(BleFault fault) {
    if (state_ != State::Idle && state_ != State::Done)
        finish(bleFaultKey(fault));
}

void BleSession::store(const BpMeasurement& reading) {
    const DownloadMemory& target = memories_[reading.memory - 1];
    store::Dataset& rows = *target.rows;
    rows.last();
    const int idno = rows.isEmpty() ? 1 : rows.asInteger("idno") + 1;
    rows.append();
    rows.setValue("idno", idno);
    rows.setValue("personal", target.personal);
    rows.setValue("checktime_mmdd", reading.moment.toString("MM/dd"));
    rows.setValue("checktime_hhmm", reading.moment.toString("hh:mm"));
    rows.setValue("checktime", reading.moment);
    rows.setValue("systolic", reading.systolic);
    rows.setValue("diastolic", reading.diastolic);
    if (reading.pulse)
        rows.setValue("heart_beat", *reading.pulse);
    if (reading.status)
        rows.setValue("measurement_status", int(*reading.status));
    rows.post();
    ++kept_;
    ProgressGauge& gauge = *target.gauge;
    gauge.setMaxValue(std::max(gauge.maxValue(), gauge.progress() + 1));
    gauge.setProgress(gauge.progress() + 1);
    ctx_.report.sendMessage(store::WindowMessage::Refresh);
}

void BleSession::waitForQuiet() {
    ctx_.quiet.start(kQuietEnd, [this] { finish(nullptr); });
}

void BleSession::finish(const char* failureKey) {
    state_ = State::Done;
    ctx_.quiet.stop();
    ctx_.link.setEvents(nullptr);
    ctx_.link.disconnectFromMonitor();
    const bool complete = failureKey == nullptr;
    try {
        for (const DownloadMemory& memory : memories_)
            memory.rows->applyUpdates();
    } catch (const store::DatabaseError& error) {
        // Called from the link's events: nothing above may see the exception.
        for (const DownloadMemory& memory : memories_)
            memory.rows->cancelUpdates();
        ctx_.report.fail("ble_store_failed", {error.message()});
        if (finished_)
            finished_(Outcome::NotStored);
        return;
    }
    if (complete)
        ctx_.report.sendMessage(store::WindowMessage::DownloadDone);
    else
        ctx_.report.fail(failureKey, {QString::number(kept_)});
    if (leftOut() > 0)
        ctx_.report.fail("ble_left_out", {QString::number(kept_), QString::number(unreadable_),
                                          QString::number(undated_), QString::number(outOfRange_)});
    if (finished_)
        finished_(complete ? Outcome::Complete : Outcome::EndedEarly);
}

} // namespace device
