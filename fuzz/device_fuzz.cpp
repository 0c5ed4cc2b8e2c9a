// Feeds arbitrary report streams, fault settings and clocks to the download engine
// through the simulated monitor, and checks what a download stores against the reports
// the engine received: every reading comes from one whole record of the stream, in its
// memory by its position, with a valid date at most a day after the computer's clock.
// Input: six fault bytes (the first also picks the clock), then one 8-byte input report
// (without its report id) after another.
#include "device/engine/DownloadReport.h"
#include "device/engine/ProgressGauge.h"
#include "device/engine/SimulatedMonitor.h"
#include "device/engine/TReceiData.h"
#include "store/Tdm1.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The simulator, keeping every report the engine was given.
class RecordingPort : public device::SimulatedMonitor {
public:
    using SimulatedMonitor::SimulatedMonitor;
    bool read(Handle handle, device::Report& report, int timeoutMs) override {
        const bool done = SimulatedMonitor::read(handle, report, timeoutMs);
        if (done)
            delivered.push_back(report);
        return done;
    }
    std::vector<device::Report> delivered;
};

[[noreturn]] void violated(const char* what) {
    std::fprintf(stderr, "device_fuzz: %s\n", what);
    std::abort();
}

constexpr std::size_t kFaultBytes = 6;
constexpr int kMaxCount = 7;
constexpr int kHeaderBytes = 3;

device::Scenario scenarioFrom(const uint8_t* data, std::size_t size) {
    device::Scenario s;
    s.openFailures = data[0] % 8;
    if (data[2] % 8 != 0)
        s.writeFailures = {device::WriteFault{0xFF, data[1] + 1, data[2] % 8}};
    if (data[4] % 8 != 0)
        s.readTimeouts = {device::ReadFault{data[3] + 1, data[4] % 8}};
    s.disconnectAfter = data[5] == 0 ? -1 : data[5];
    for (std::size_t at = kFaultBytes; at < size; at += device::kReportSize - 1) {
        device::Report report{};
        std::copy_n(data + at, std::min<std::size_t>(device::kReportSize - 1, size - at),
                    report.begin() + 1);
        s.reports.push_back(report);
    }
    return s;
}

QDateTime clockFrom(uint8_t byte) {
    static const QDateTime clocks[] = {{QDate(2024, 2, 29), QTime(23, 59)},
                                       {QDate(2024, 12, 31), QTime(23, 30)},
                                       {QDate(2023, 3, 1), QTime(0, 10)},
                                       {QDate(2024, 6, 15), QTime(12, 0)}};
    return clocks[byte / 8 % 4];
}

// The records of each memory as the protocol cuts them from the received reports: the
// header is the first report with a count of 3 to 7, whose bytes from offset 5 start the
// stream; later reports add their data bytes; memory 1's records come first.
struct Stream {
    std::vector<device::Record> memory1;
    std::vector<device::Record> memory2;
};

Stream streamOf(const std::vector<device::Report>& delivered) {
    const auto header = std::find_if(delivered.begin(), delivered.end(), [](const auto& r) {
        return r[1] >= kHeaderBytes && r[1] <= kMaxCount;
    });
    if (header == delivered.end())
        violated("rows stored without a header");
    std::vector<quint8> bytes(header->begin() + 2 + kHeaderBytes,
                              header->begin() + 2 + (*header)[1]);
    for (auto report = header + 1; report != delivered.end(); ++report)
        if ((*report)[1] <= kMaxCount)
            bytes.insert(bytes.end(), report->begin() + 2, report->begin() + 2 + (*report)[1]);
    const int memory1 = (*header)[3];
    const int memory2 = (*header)[2] == device::kLayoutTwo ? (*header)[4] : 0;
    Stream stream;
    for (int i = 0; i < memory1 + memory2 && (i + 1) * 8 <= int(bytes.size()); ++i) {
        device::Record record;
        std::copy_n(bytes.begin() + i * 8, 8, record.begin());
        (i < memory1 ? stream.memory1 : stream.memory2).push_back(record);
    }
    return stream;
}

bool matches(const store::Dataset& row, const device::Record& r) {
    const QDateTime at = row.asDateTime("checktime");
    return at.date().month() == r[0] && at.date().day() == r[1] && at.time().hour() == r[2] &&
           at.time().minute() == r[3] && row.asInteger("systolic") == r[5] + (r[4] ? 256 : 0) &&
           row.asInteger("diastolic") == r[6] && row.asInteger("heart_beat") == r[7];
}

// Each stored row, in idno order, is a later record of its memory than the row before.
void checkTable(store::Tdm1& dm1, const QString& table, const std::vector<device::Record>& records,
                const QDateTime& now) {
    store::Dataset row(dm1.ADOConnection1, store::WriteMode::Immediate);
    row.setCommandText("select * from " + table + " order by idno");
    row.open();
    auto next = records.begin();
    for (row.first(); !row.eof(); row.next()) {
        const QDateTime at = row.asDateTime("checktime");
        const auto wall = [](const QDateTime& t) { return QDateTime(t.date(), t.time(), Qt::UTC); };
        if (!at.isValid() || wall(at) > wall(now).addDays(1))
            violated("a reading is dated invalid or more than a day ahead");
        next = std::find_if(next, records.end(), [&](const auto& r) { return matches(row, r); });
        if (next == records.end())
            violated("a stored reading is no whole record of its memory, in stream order");
        ++next;
    }
}

store::Tdm1& database() {
    static QTemporaryDir dir;
    static store::Tdm1* dm1 = [] {
        auto* created = new store::Tdm1(dir.path());
        created->DataModuleCreate();
        return created;
    }();
    return *dm1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < kFaultBytes)
        return 0;
    store::Tdm1& dm1 = database();
    // Each download starts on empty memory tables, as the Transfer page empties them.
    dm1.adocom1.execute("delete * from bp_record_user1");
    dm1.adocom1.execute("delete * from bp_record_user2");
    for (store::Dataset* ds : {&dm1.ado_rc1, &dm1.ado_rc2}) {
        ds->close();
        ds->open();
    }
    RecordingPort monitor(scenarioFrom(data, size));
    device::SilentReport report;
    device::PlainGauge gauge1;
    device::PlainGauge gauge2;
    const QDateTime now = clockFrom(data[0]);
    device::TReceiData engine({monitor, report, [](int) {}, [now] { return now; }, 20, 200});
    engine.setMemories({{{&dm1.ado_rc1, &gauge1, QString()}, {&dm1.ado_rc2, &gauge2, QString()}}});
    engine.setDeviceID(9001);
    bool applied = false;
    try {
        engine.Execute();
        applied = engine.ErrorCount() == 0;
    } catch (const device::SilentAbort&) {
    }
    if (monitor.isOpen() || dm1.ado_rc1.hasPendingUpdates() || dm1.ado_rc2.hasPendingUpdates())
        violated("the monitor stayed open or rows stayed pending");
    if (!applied)
        return 0;
    const Stream stream = streamOf(monitor.delivered);
    checkTable(dm1, "bp_record_user1", stream.memory1, now);
    checkTable(dm1, "bp_record_user2", stream.memory2, now);
    return 0;
}
