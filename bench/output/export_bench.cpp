// Export of the Data page's list of one person with 100,000 readings. Beside our least and
// median times stand, as counters, those of the sqlite3 shell writing the same query as
// csv to a file (by its own timer, over nine runs) and the ratios of ours to the shell's:
// real time, and processor time (user and system), which a busy machine disturbs less.
// "Export" writes the list the grid shows; "QueryAndExport" reads it from the database
// first, as the shell does. "QueryAndFhir" reads the person's readings and writes them as a
// FHIR bundle, to set beside "QueryAndExport/csv" of the same run.
#include "measure/AnalysisQuery.h"
#include "measure/DataPage.h"
#include "output/FhirSource.h"
#include "output/GridFile.h"
#include "store/Tdm1.h"
#include "support/DataPageBench.h"
#include "support/Main.h"
#include "support/Readings.h"
#include "support/ShellTimes.h"
#include "ui/DataGrid.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

const QString person = QStringLiteral("Müller");
constexpr int readings = 100000;

// One reading every ten minutes, every fiftieth marked; the list open on the Data page.
struct Fixture : bench::DataPageBench {
    Fixture()
        : DataPageBench([](sqlite3* db) {
              bench::insertReadings(db, {.series = {{person, readings, 10}}, .mark = 1});
          }) {
        page.comb_user()->addItem(person);
        page.comb_user()->setCurrentIndex(0);
        page.comb_userChange();
        if (page.grid()->shownRowCount() != readings)
            qFatal("the list holds %d rows", page.grid()->shownRowCount());
    }
};

Fixture& fixture() {
    static Fixture* made = new Fixture;
    return *made;
}

const QString personSql = "select delselection,personal,systolic,diastolic,heart_beat,checktime "
                          "from bp_record where personal_key='" +
                          person.toCaseFolded() + "' order by personal_key,checktime,delselection";

void exportList(output::ExportFormat format, const QString& name) {
    if (const auto reason =
            output::writeGridFile(*fixture().page.grid(), format, fixture().dir.filePath(name)))
        qFatal("%s", qPrintable(*reason));
}

template <class Body> void besideShell(benchmark::State& state, const QString& file, Body&& body) {
    const bench::Runs ours = bench::timeRuns(state, body);
    const bench::Runs shell = bench::shellRuns({"-csv", "-header", fixture().shellFile()},
                                               personSql, fixture().dir.filePath("shell.csv"));
    state.counters["rows"] = fixture().page.grid()->shownRowCount();
    state.counters["MB"] = QFileInfo(fixture().dir.filePath(file)).size() / 1e6;
    bench::realBesideShell(state, ours, shell);
    bench::cpuBesideShell(state, ours, shell);
}

void Export(benchmark::State& state, output::ExportFormat format) {
    const QString file = "list." + output::extensionOf(format);
    besideShell(state, file, [&] { exportList(format, file); });
}

void QueryAndExport(benchmark::State& state, output::ExportFormat format) {
    const QString file = "list." + output::extensionOf(format);
    besideShell(state, file, [&] {
        store::Dataset& list = fixture().dm1.ado_analysis;
        list.close();
        list.open();
        exportList(format, file);
    });
}

void QueryAndFhir(benchmark::State& state) {
    const QString file = QStringLiteral("list.json");
    besideShell(state, file, [&] {
        QFile out(fixture().dir.filePath(file));
        if (!out.open(QIODevice::WriteOnly))
            qFatal("%s", qPrintable(out.errorString()));
        output::writeStoredFhirBundle(out, fixture().dm1.ADOConnection1, fixture().setup.language,
                                      person, QDate(1900, 1, 1), QDate(2999, 12, 31));
    });
}

BENCHMARK(QueryAndFhir)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(Export, csv, output::ExportFormat::Csv)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(Export, xls, output::ExportFormat::Xls)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(QueryAndExport, csv, output::ExportFormat::Csv)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(QueryAndExport, xls, output::ExportFormat::Xls)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(Export, txt, output::ExportFormat::Txt)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1);
BENCHMARK_CAPTURE(Export, htm, output::ExportFormat::Htm)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1);
BENCHMARK_CAPTURE(Export, rtf, output::ExportFormat::Rtf)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1);

} // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv, [] { fixture(); });
}
