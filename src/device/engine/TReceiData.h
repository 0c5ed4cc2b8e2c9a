#pragma once

#include "DevicePort.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <exception>
#include <functional>

namespace lang {
class Messages;
}
namespace store {
class Dataset;
}

namespace device {

class ProgressGauge;

// Window messages to the main window, WM_USER + 101 to WM_USER + 107.
enum WindowMessage : int {
    DownloadDone = 1125, // after a successful download
    FirstRetry = 1126,   // 1126 to 1130 after the 1st to 5th failed attempt of a retry loop
    Refresh = 1131,      // after each accepted command and each kept record
};

// What a download needs of its surroundings.
struct ReceiveContext {
    DevicePort& port;
    lang::Messages& messages;
    std::function<void(int milliseconds)> pause;
    std::function<QDateTime()> now;
    std::function<void(int message)> sendMessage; // handled before it returns
    int ReceiveDelay = 20;                        // pause between device operations, ms
    int IoTimeout = 200;                          // longest wait for one report, ms
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

// Downloads both memories of the monitor into the pending batches of ado_rc1 and ado_rc2
// and applies them when every record has arrived. One object serves one download.
// Before Execute the caller sets every property and sets both gauges' progress to 0.
class TReceiData {
public:
    explicit TReceiData(ReceiveContext context);

    void setAdo_rc1(store::Dataset* dataset) { Fado_rc1 = dataset; }
    void setAdo_rc2(store::Dataset* dataset) { Fado_rc2 = dataset; }
    void setGauge1(ProgressGauge* gauge) { Fgua1 = gauge; }
    void setGauge2(ProgressGauge* gauge) { Fgua2 = gauge; }
    void setDeviceID(qint32 id) { hid = id; }
    void setUser1Name(const QString& name) { Fuser1 = name; }
    void setUser2Name(const QString& name) { Fuser2 = name; }
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
    store::Dataset* Fado_rc1 = nullptr;
    store::Dataset* Fado_rc2 = nullptr;
    store::Dataset* Fado = nullptr;
    ProgressGauge* Fgua1 = nullptr;
    ProgressGauge* Fgua2 = nullptr;
    QString Fuser1;
    QString Fuser2;
    QString FmemType;
    qint32 Fmem1Count = 0; // records of memory 1: the first ones of the stream
    qint32 Ferror = 0;
    bool FreadOk = false;
};

} // namespace device
