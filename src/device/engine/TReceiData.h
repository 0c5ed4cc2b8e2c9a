#pragma once

#include "DevicePort.h"
#include "DownloadMemory.h"
#include "DownloadReport.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <exception>
#include <functional>
#include <utility>

namespace device {

// What a download needs of its surroundings.
struct ReceiveContext {
    DevicePort& port;
    DownloadReport& report;
    std::function<void(int milliseconds)> pause;
    std::function<QDateTime()> now;
    int ReceiveDelay = 20; // pause between device operations, ms
    int IoTimeout = 200;   // longest wait for one report, ms
};

// Thrown when the header names an unknown memory layout. The engine has shown its
// message already; whoever catches it shows nothing more.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "download aborted"; }
};

// One decoded record; each field takes one byte of the record.
struct TDbRecord {
    int month = 0;
    int day = 0;
    int hour = 0;
    int min = 0;
    int systolic_h = 0;
    int systolic_l = 0;
    int diastolic = 0;
    int heart_beat = 0;
};

// 0 for empty text, otherwise the text read as hexadecimal digits.
int HexToInt(const QString& text);

// Downloads both memories of the monitor into the pending batches of their datasets and
// applies them when every record has arrived. One object serves one download.
// Before Execute the caller sets every property and sets both gauges' progress to 0.
class TReceiData {
public:
    explicit TReceiData(ReceiveContext context);

    void setMemories(DownloadMemories memories) { Fmemories = std::move(memories); }
    void setDeviceID(qint32 id) { hid = id; }
    int ErrorCount() const { return Ferror; }

    // Runs one download to its end; ErrorCount() is 0 afterwards on success.
    // Throws SilentAbort on an unknown memory layout; database errors propagate.
    void Execute();

private:
    using Handle = DevicePort::Handle;

    bool OpenDevice();
    bool SendCommand(Handle handle, const QString& command);
    bool ReadPacket(Handle handle, bool header, bool& sixthEmpty);
    void ProcessPacket(bool header);
    void StoreRecord();
    void SendFFRepeated(int count);

    template <class Attempt> bool retry(int attempts, int pauseMs, Attempt attempt);
    const char* exchange();
    const char* readCycle(bool header, int& emptyStage);
    QDateTime measurementTime() const;
    void closeDevice();

    ReceiveContext ctx_;
    qint32 Ftotrecord = 0;
    qint32 FreceiCount = 0;
    Handle hcom = 0;
    qint32 hid = 0;
    qint32 iReadPos = 0;
    qint32 nTotNull = 0;
    Report send_buf{};
    Report recei_buf{};
    std::array<quint8, 8> pos_buf{};
    TDbRecord aReco;
    DownloadMemories Fmemories;
    store::Dataset* Fado = nullptr;
    QString FmemType;
    qint32 Fmem1Count = 0; // records of memory 1: the first ones of the stream
    qint32 Ferror = 0;
    bool FreadOk = false;
};

} // namespace device
