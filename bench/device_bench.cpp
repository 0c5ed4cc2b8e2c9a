// A full download of 2 x 255 records from the simulated monitor with real pauses, against
// the sum of the pauses that the protocol mandates; and the resident memory over many
// downloads without pauses, each followed by emptying the memories as the page does.
#include "device/engine/DownloadReport.h"
#include "device/engine/Pause.h"
#include "device/engine/ProgressGauge.h"
#include "device/engine/SimulatedMonitor.h"
#include "device/engine/TReceiData.h"
#include "store/Tdm1.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>

namespace {

device::Scenario fullMemories() {
    device::Scenario s;
    for (int i = 0; i < 255; ++i) {
        s.memory1.push_back(
            device::reading(1 + i % 12, 1 + i % 28, i % 24, i % 60, 100 + i % 150, 70, 60));
        s.memory2.push_back(device::reading(1 + i % 12, 1 + i % 28, i % 24, i % 60, 300, 90, 80));
    }
    return s;
}

// One download of the scenario into the memory tables of dm1; false unless it brought
// all 510 records.
bool download(const device::Scenario& scenario, store::Tdm1& dm1,
              const std::function<void(int)>& pause) {
    device::SilentReport report;
    device::SimulatedMonitor monitor(scenario);
    device::PlainGauge gauge1;
    device::PlainGauge gauge2;
    device::TReceiData engine({monitor, report, pause,
                               [] { return QDateTime(QDate(2024, 12, 31), QTime(23, 59)); }, 20,
                               200});
    engine.setMemories({{{&dm1.ado_rc1, &gauge1, QString()}, {&dm1.ado_rc2, &gauge2, QString()}}});
    engine.Execute();
    return engine.ErrorCount() == 0 && gauge1.progress() + gauge2.progress() == 510;
}

void FullDownload(benchmark::State& state) {
    QTemporaryDir dir;
    store::Tdm1 dm1(dir.path());
    dm1.DataModuleCreate();
    const device::Scenario scenario = fullMemories();
    double floorMs = 0;
    double totalMs = 0;
    for (auto _ : state) {
        long long pausedMs = 0;
        const auto start = std::chrono::steady_clock::now();
        const bool whole = download(scenario, dm1, [&](int ms) {
            pausedMs += ms;
            device::sleepMilliseconds(ms);
        });
        totalMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        floorMs += double(pausedMs);
        if (!whole)
            state.SkipWithError("the download did not bring all 510 records");
    }
    state.counters["pause_floor_s"] = floorMs / 1000 / double(state.iterations());
    state.counters["total_s"] = totalMs / 1000 / double(state.iterations());
    state.counters["overhead_pct"] = 100 * (totalMs - floorMs) / floorMs;
}

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

void RepeatedDownloads(benchmark::State& state) {
    QTemporaryDir dir;
    store::Tdm1 dm1(dir.path());
    dm1.DataModuleCreate();
    const device::Scenario scenario = fullMemories();
    const int settle = 100;
    double settledMb = 0;
    int downloads = 0;
    for (auto _ : state) {
        if (!download(scenario, dm1, [](int) {}))
            state.SkipWithError("the download did not bring all 510 records");
        dm1.adocom1.execute(QStringLiteral("delete * from bp_record_user1"));
        dm1.adocom1.execute(QStringLiteral("delete * from bp_record_user2"));
        for (store::Dataset* memory : {&dm1.ado_rc1, &dm1.ado_rc2}) {
            memory->close();
            memory->open();
        }
        if (++downloads == settle)
            settledMb = residentMegabytes();
    }
    const double endMb = residentMegabytes();
    state.counters["downloads"] = downloads;
    state.counters["rss_after_100_MB"] = settledMb;
    state.counters["rss_end_MB"] = endMb;
    state.counters["growth_KB_per_download"] = (endMb - settledMb) * 1024 / (downloads - settle);
}

} // namespace

BENCHMARK(RepeatedDownloads)->Iterations(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(FullDownload)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK_MAIN();
