// The Data page on a database of 1,100,000 readings: 100 persons with 10,000 each and
// one with 100,000. Beside our least and median times stand, as counters, the least and
// median times the sqlite3 shell needs for the equivalent plain query on the program's own file
// (by its own timer, over nine runs) and the ratios of ours to the shell's. Marks are
// stored as the program stores them: -1 for true.
#include "measure/AnalysisQuery.h"
#include "measure/DataPage.h"
#include "measure/TrendChart.h"
#include "store/Tdm1.h"
#include "support/DataPageBench.h"
#include "support/Main.h"
#include "support/Readings.h"
#include "support/ShellTimes.h"

#include <QComboBox>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

const QString bigPerson = QStringLiteral("Big");
const QDate yearStart(2020, 1, 1), yearEnd(2020, 12, 31);

// Readings arrive in downloads: ten rounds, each with a tenth of every person's
// readings. Normal persons measure every hour, the big one every ten minutes.
void generate(sqlite3* db) {
    bench::ReadingsPlan plan{.rounds = 10, .dayAndTime = true, .mark = -1};
    for (int i = 1; i <= 100; ++i)
        plan.series.append(
            {QStringLiteral("Person %1").arg(i, 3, 10, QLatin1Char('0')), 10000, 60});
    plan.series.append({bigPerson, 100000, 10});
    bench::insertReadings(db, plan);
}

// The generated database and the Data page on it, made once per run.
struct Fixture : bench::DataPageBench {
    Fixture() : DataPageBench(generate) { page.comb_user()->addItem(bigPerson); }
};

Fixture& fixture() {
    static Fixture* made = new Fixture;
    return *made;
}

// Runs body as the benchmark and sets our least and median time beside the shell's
// and the ratios of ours to the shell's.
template <class Body>
void besideShell(benchmark::State& state, const QString& shellSql, Body&& body) {
    const bench::Runs ours = bench::timeRuns(state, body);
    const bench::Runs shell = bench::shellRuns({fixture().shellFile()}, shellSql, "/dev/null");
    state.counters["rows"] = fixture().dm1.ado_analysis.recordCount();
    bench::realBesideShell(state, ours, shell);
}

void openList(const QString& sql) {
    store::Dataset& list = fixture().dm1.ado_analysis;
    list.close();
    list.setCommandText(sql);
    list.setParameter("a1", bigPerson);
    list.open();
}

// The shell's counterpart of a query as the program hands it to SQLite: the person's key
// and the bounds written in, and SQLite's date functions in place of the dialect's.
QString plain(const QString& period) {
    const QString where = " from bp_record where checktime>='2020-01-01 00:00:00' and "
                          "checktime<'2021-01-01 00:00:00' and personal_key='big'";
    if (period.isEmpty())
        return "select delselection,personal,systolic,diastolic,heart_beat,checktime" + where +
               " order by personal_key,checktime,delselection";
    return "select delselection,personal,round(avg(systolic),0),round(avg(diastolic),0),"
           "round(avg(heart_beat),0)," +
           period + where + " group by delselection,personal_key," + period +
           " order by personal_key," + period + ",delselection";
}

const QString personSql =
    "select delselection,personal,systolic,diastolic,heart_beat,checktime from bp_record  "
    "where personal_key='big' order by personal_key,checktime,delselection";

void OpenPersonList(benchmark::State& state) {
    besideShell(state, personSql, [] { openList(measure::personQuery()); });
}

void Analysis(benchmark::State& state, measure::AnalysisMode mode, const QString& period) {
    const QString sql = measure::analysisQuery(mode, yearStart, yearEnd);
    besideShell(state, plain(period), [&sql] { openList(sql); });
}

void FillChart(benchmark::State& state) {
    openList(measure::personQuery());
    besideShell(state, personSql,
                [] { fixture().page.chart()->FillChart(fixture().dm1.ado_analysis); });
}

// Entering a person: the list and the chart.
void ChoosePerson(benchmark::State& state) {
    besideShell(state, personSql, [] { fixture().page.comb_userChange(); });
}

// A title click on the systolic column: the open list sorted on the client, alternately
// descending and ascending.
void SortByTitle(benchmark::State& state) {
    openList(measure::personQuery());
    bool descending = false;
    const QString shellSql = "select delselection,personal,systolic,diastolic,heart_beat,"
                             "checktime from bp_record where personal_key='big' order by systolic "
                             "desc";
    besideShell(state, shellSql, [&descending] {
        descending = !descending;
        fixture().dm1.ado_analysis.setSort(descending ? "systolic DESC" : "systolic");
    });
}

BENCHMARK(OpenPersonList)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(SortByTitle)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(Analysis, time, measure::AnalysisMode::Time, QString())
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(Analysis, day, measure::AnalysisMode::Day, QStringLiteral("date(checktime)"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(Analysis, week, measure::AnalysisMode::Week,
                  QStringLiteral("date(checktime,'weekday 6')"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(Analysis, month, measure::AnalysisMode::Month,
                  QStringLiteral("strftime('%Y-%m',checktime)"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(FillChart)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ChoosePerson)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv, [] { fixture(); });
}
