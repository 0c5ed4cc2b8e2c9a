// The statistics of one person's 100,000 readings (one every ten minutes from 1 January
// 2020), read from the program's file and computed, beside the sqlite3 shell's time for
// the equivalent aggregate query on the same file (its own timer, over nine runs): count,
// means, squares for the deviation, lowest and highest, pulse pressure, and the morning and
// evening means. Another person's readings share the file.
#include "readings/ReadingRange.h"
#include "readings/Statistics.h"
#include "store/Database.h"
#include "support/Main.h"
#include "support/Readings.h"
#include "support/ShellTimes.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString person = QStringLiteral("Big");
const QDate first(2020, 1, 1), last(2022, 12, 31);

struct Fixture {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("tonvi.mdb"));
    store::Database db;

    Fixture() {
        db.open(file);
        bench::ReadingsPlan plan{.dayAndTime = true, .mark = -1};
        plan.series = {{person, 100000, 10}, {QStringLiteral("Other"), 20000, 60}};
        bench::insertReadings(db.handle(), plan);
    }
};

Fixture& fixture() {
    static Fixture made;
    return made;
}

const char* const shellSql =
    "select count(*),avg(systolic),avg(systolic*systolic),min(systolic),max(systolic),"
    "avg(diastolic),avg(diastolic*diastolic),min(diastolic),max(diastolic),"
    "avg(heart_beat),avg(heart_beat*heart_beat),min(heart_beat),max(heart_beat),"
    "avg(systolic-diastolic),"
    "avg(case when substr(checktime,12,2) between '04' and '11' then systolic end),"
    "avg(case when substr(checktime,12,2) between '04' and '11' then diastolic end),"
    "avg(case when substr(checktime,12,2) between '18' and '23' then systolic end),"
    "avg(case when substr(checktime,12,2) between '18' and '23' then diastolic end) "
    "from bp_record where personal_key='big' and checktime>='2020-01-01' and "
    "checktime<'2023-01-01'";

void Statistics(benchmark::State& state) {
    Fixture& f = fixture();
    int count = 0;
    const bench::Runs ours = bench::timeRuns(state, [&] {
        const readings::Statistics s = readings::computeStatistics(
            readings::readingsInRange(f.db, person, first, last), readings::Scheme::Esh2023);
        count = s.count;
    });
    if (count != 100000)
        qFatal("the statistics counted %d readings", count);
    const bench::Runs shell = bench::shellRuns({f.file}, shellSql, "/dev/null");
    state.counters["rows"] = count;
    bench::realBesideShell(state, ours, shell);
    bench::cpuBesideShell(state, ours, shell);
}

BENCHMARK(Statistics)->Unit(benchmark::kMillisecond)->Iterations(9);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithoutWindows(argc, argv, [] { fixture(); });
}
