// Feeds arbitrary report streams and fault settings to the download engine through the
// simulated monitor. Input: six fault bytes, then one 8-byte input report (without its
// report id) after another.
#include "device/engine/ProgressGauge.h"
#include "device/engine/SimulatedMonitor.h"
#include "device/engine/TReceiData.h"
#include "lang/Messages.h"
#include "store/Tdm1.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

class SilentMessages : public lang::Messages {
public:
    void inform(const QString&) override {}
    void fail(const QString&) override {}
    bool ask(const QString&) override { return true; }
    void showError(const QString&) override {}
};

constexpr std::size_t kFaultBytes = 6;

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
    device::SimulatedMonitor monitor(scenarioFrom(data, size));
    SilentMessages messages;
    device::PlainGauge gauge1;
    device::PlainGauge gauge2;
    const QDateTime now(QDate(2024, 2, 29), QTime(23, 59));
    device::TReceiData engine(
        {monitor, messages, [](int) {}, [now] { return now; }, [](int) {}, 20, 200});
    engine.setAdo_rc1(&dm1.ado_rc1);
    engine.setAdo_rc2(&dm1.ado_rc2);
    engine.setGauge1(&gauge1);
    engine.setGauge2(&gauge2);
    engine.setDeviceID(9001);
    bool applied = false;
    try {
        engine.Execute();
        applied = engine.ErrorCount() == 0;
    } catch (const device::SilentAbort&) {
    }
    if (monitor.isOpen() || dm1.ado_rc1.hasPendingUpdates() || dm1.ado_rc2.hasPendingUpdates())
        std::abort();
    if (!applied)
        return 0;
    dm1.adocom1.execute("delete * from bp_record_user1");
    dm1.adocom1.execute("delete * from bp_record_user2");
    for (store::Dataset* ds : {&dm1.ado_rc1, &dm1.ado_rc2}) {
        ds->close();
        ds->open();
    }
    return 0;
}
