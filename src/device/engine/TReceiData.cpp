#include "TReceiData.h"

#include "ClockLead.h"
#include "PressureRange.h"
#include "ProgressGauge.h"
#include "store/Dataset.h"

#include <algorithm>
#include <utility>

namespace device {

namespace {

using store::WindowMessage;

constexpr int kCommandSettle = 20;  // ms after an accepted command
constexpr int kEmptyRunWait = 3000; // ms after the first run of six empty reports
constexpr int kRepeatGap = 15;      // ms between repeated "FF" commands
constexpr int kEmptyRun = 6;
constexpr int kOpenAttempts = 6;
constexpr int kStartAttempts = 3;
constexpr int kRequestAttempts = 6;
constexpr int kReadAttempts = 6;
constexpr int kMaxDataBytes = 7;
constexpr int kHeaderBytes = 3; // layout and the two counts
constexpr int kRecordSize = 8;
constexpr int kYearsBack = 8; // covers the longest gap between two 29 Februaries

// The message that tells the user why no monitor could be opened.
const char* openFailureKey(OpenFailure failure) {
    switch (failure) {
    case OpenFailure::SeveralDevices:
        return "several_devices";
    case OpenFailure::NoAccess:
        return "no_device_access";
    case OpenFailure::NoDevice:
        break;
    }
    return "no_device";
}

template <class F> class Finally {
public:
    explicit Finally(F f) : f_(std::move(f)) {}
    ~Finally() { f_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F f_;
};

} // namespace

int HexToInt(const QString& text) {
    return text.isEmpty() ? 0 : text.toInt(nullptr, 16);
}

TReceiData::TReceiData(ReceiveContext context) : ctx_(std::move(context)) {}

void TReceiData::Execute() {
    FreadOk = false;
    if (!OpenDevice()) {
        ++Ferror;
        return;
    }
    if (!retry(kStartAttempts, kCommandSettle, [this] { return SendCommand(hcom, "5A"); })) {
        closeDevice();
        ctx_.report.fail("send_error");
        ++Ferror;
        return;
    }
    const Finally closeOnExit([this] { closeDevice(); });
    ctx_.report.sendMessage(WindowMessage::Refresh);
    ctx_.pause(kCommandSettle);
    Ftotrecord = 1;

    if (const char* key = exchange()) {
        ctx_.report.fail(key);
        for (const DownloadMemory& memory : Fmemories)
            memory.rows->cancelUpdates();
        ++Ferror;
        return;
    }
    // Each apply posts a pending edit of its dataset first.
    for (const DownloadMemory& memory : Fmemories)
        memory.rows->applyUpdates();
    ctx_.report.sendMessage(WindowMessage::DownloadDone);
    SendFFRepeated(50);
}

// Tries up to `attempts` times; after failed attempt n, unless it was the last, sends
// its retry message and pauses.
template <class Attempt> bool TReceiData::retry(int attempts, int pauseMs, Attempt attempt) {
    for (int failed = 1;; ++failed) {
        if (attempt())
            return true;
        if (failed == attempts)
            return false;
        ctx_.report.sendMessage(store::retryMessage(failed));
        ctx_.pause(pauseMs);
    }
}

bool TReceiData::OpenDevice() {
    const bool opened = retry(kOpenAttempts, ctx_.ReceiveDelay, [this] {
        hcom = ctx_.port.open(hid);
        return hcom != 0;
    });
    if (!opened) {
        ctx_.report.inform(openFailureKey(ctx_.port.openFailure()));
        return false;
    }
    ctx_.pause(ctx_.ReceiveDelay);
    ctx_.port.describe(hcom);
    ctx_.pause(ctx_.ReceiveDelay);
    return true;
}

// The receive loop and the closing command; returns the message key of a failure.
const char* TReceiData::exchange() {
    int cycle = 0;
    int emptyStage = 0;
    while (FreceiCount != Ftotrecord) {
        ctx_.pause(ctx_.ReceiveDelay);
        if (!retry(kRequestAttempts, ctx_.ReceiveDelay, [this] { return SendCommand(hcom, "FF"); }))
            return "send_error";
        ctx_.report.sendMessage(WindowMessage::Refresh);
        ctx_.pause(kCommandSettle);
        ++cycle;
        if (const char* key = readCycle(cycle == 1, emptyStage))
            return key;
    }
    ctx_.pause(ctx_.ReceiveDelay);
    return SendCommand(hcom, "5A") ? nullptr : "send_error";
}

// The reads that answer one "FF"; returns the message key of a failure.
const char* TReceiData::readCycle(bool header, int& emptyStage) {
    int failedReads = 0;
    for (;;) {
        bool sixthEmpty = false;
        if (!ReadPacket(hcom, header, sixthEmpty)) {
            if (++failedReads == kReadAttempts)
                return "read_error";
            SendFFRepeated(30);
            ctx_.pause(ctx_.ReceiveDelay);
            continue;
        }
        if (!sixthEmpty)
            break;
        if (emptyStage == 1)
            return "read_error";
        nTotNull = 0;
        emptyStage = 1;
        ctx_.pause(kEmptyRunWait);
    }
    if (recei_buf[1] != 0)
        emptyStage = 0;
    return FreadOk ? nullptr : "send_error_poweroff";
}

// The first failed write ends the burst, so that a stalled monitor does not hold the
// window for a time-out per command.
void TReceiData::SendFFRepeated(int count) {
    for (int i = 0; i < count && SendCommand(hcom, "FF"); ++i)
        ctx_.pause(kRepeatGap);
}

bool TReceiData::SendCommand(Handle handle, const QString& command) {
    send_buf.fill(0);
    send_buf[1] = static_cast<quint8>(HexToInt(command));
    return ctx_.port.write(handle, send_buf, ctx_.IoTimeout);
}

bool TReceiData::ReadPacket(Handle handle, bool header, bool& sixthEmpty) {
    sixthEmpty = false;
    recei_buf.fill(0);
    if (!ctx_.port.read(handle, recei_buf, ctx_.IoTimeout))
        return false;
    const int count = recei_buf[1];
    if (count == 0) {
        sixthEmpty = ++nTotNull == kEmptyRun;
        return true;
    }
    // Such counts would run past the report or the record: the read failed.
    if (count > kMaxDataBytes || (header && count < kHeaderBytes))
        return false;
    ProcessPacket(header);
    return true;
}

void TReceiData::ProcessPacket(bool header) {
    nTotNull = 0;
    const int count = recei_buf[1];
    const auto data = recei_buf.begin() + 2;
    if (header) {
        iReadPos = count - kHeaderBytes;
        switch (recei_buf[2]) {
        case 0x5A:
            FmemType = "one";
            break;
        case 0x5B:
            FmemType = "two";
            break;
        default:
            ctx_.report.inform("recorderror");
            throw SilentAbort();
        }
        FreadOk = true;
        const std::array<int, kMemoryCount> counts{recei_buf[3],
                                                   FmemType == "two" ? recei_buf[4] : 0};
        Fmem1Count = counts[0];
        Ftotrecord = 0;
        for (int memory = 0; memory < kMemoryCount; ++memory) {
            Ftotrecord += counts[memory];
            Fmemories[memory].gauge->setMaxValue(counts[memory]);
        }
        std::copy_n(data + kHeaderBytes, iReadPos, pos_buf.begin());
        return;
    }
    const int held = iReadPos;
    const int taken = std::min(count, kRecordSize - held);
    std::copy_n(data, taken, pos_buf.begin() + held);
    if (held + count < kRecordSize) {
        iReadPos = held + count;
        return;
    }
    StoreRecord();
    iReadPos = held + count - kRecordSize;
    std::copy_n(data + taken, iReadPos, pos_buf.begin());
}

void TReceiData::StoreRecord() {
    const Finally clear([this] { pos_buf.fill(0); });
    const auto& b = pos_buf;
    aReco = {b[0], b[1], b[2], b[3], b[5], b[4], b[6], b[7]};

    // The first records of the stream are memory 1's, whether they are kept or not.
    const DownloadMemory& target = Fmemories[FreceiCount < Fmem1Count ? 0 : 1];
    Fado = target.rows;
    ++FreceiCount;

    const QDateTime checktime = measurementTime();
    // A zero byte is an empty value, also a systolic whose flag is set.
    const int systolic =
        aReco.systolic_h == 0 ? 0 : aReco.systolic_h + (aReco.systolic_l > 0 ? 256 : 0);
    if (!checktime.isValid() || !isStorablePressure(systolic, aReco.diastolic) ||
        aReco.heart_beat == 0)
        return;
    aReco.systolic_h = systolic;

    Fado->last();
    const int idno = Fado->isEmpty() ? 1 : Fado->asInteger("idno") + 1;
    Fado->append();
    Fado->setValue("idno", idno);
    Fado->setValue("personal", target.personal);
    Fado->setValue("checktime_mmdd", QString::asprintf("%.2d/%.2d", aReco.month, aReco.day));
    Fado->setValue("checktime_hhmm", QString::asprintf("%.2d:%.2d", aReco.hour, aReco.min));
    Fado->setValue("checktime", checktime);
    Fado->setValue("diastolic", aReco.diastolic);
    Fado->setValue("systolic", aReco.systolic_h);
    Fado->setValue("heart_beat", aReco.heart_beat);
    Fado->post();
    target.gauge->setProgress(target.gauge->progress() + 1);
    ctx_.report.sendMessage(WindowMessage::Refresh);
}

// A record carries no year: take the latest one in which the reading is a valid moment
// no later than a day after now, as the monitor's clock may run ahead. Invalid when the
// month, day or time can never be valid.
QDateTime TReceiData::measurementTime() const {
    const QTime time(aReco.hour, aReco.min);
    if (!time.isValid())
        return {};
    const QDateTime latest = latestReadingMoment(ctx_.now());
    for (int year = latest.date().year(); year >= latest.date().year() - kYearsBack; --year) {
        const QDateTime moment(QDate(year, aReco.month, aReco.day), time, Qt::UTC);
        if (moment.isValid() && moment <= latest)
            return moment;
    }
    return {};
}

void TReceiData::closeDevice() {
    if (hcom != 0)
        ctx_.port.close(hcom);
    hcom = 0;
}

} // namespace device
