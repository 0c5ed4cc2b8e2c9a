// Export of the Data page's list of one person with 100,000 readings. Beside our least and
// median times stand, as counters, those of the sqlite3 shell writing the same query as
// csv to a file (by its own timer, over nine runs) and the ratios of ours to the shell's:
// real time, and processor time (user and system), which a busy machine disturbs less.
// "Export" writes the list the grid shows; "QueryAndExport" reads it from the database
// first, as the shell does.
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/AnalysisQuery.h"
#include "measure/DataPage.h"
#include "output/GridFile.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"
#include "ui/PictureLibrary.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <sqlite3.h>

namespace {

const QString person = QStringLiteral("Müller");
constexpr int readings = 100000;

class NoMessages : public lang::Messages {
public:
    void inform(const QString&) override {}
    void fail(const QString&) override {}
    bool ask(const QString&) override { return true; }
    void showError(const QString& text) override { qFatal("%s", qPrintable(text)); }
};

void check(int result, sqlite3* db) {
    if (result != SQLITE_OK && result != SQLITE_DONE)
        qFatal("%s", sqlite3_errmsg(db));
}

// One reading every ten minutes, every fiftieth marked.
void generate(sqlite3* db) {
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into bp_record(personal,systolic,diastolic,heart_beat,"
                             "checktime,delselection) values (?,?,?,?,?,?)",
                             -1, &insert, nullptr),
          db);
    const QByteArray name = person.toUtf8();
    const QDateTime origin(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int i = 0; i < readings; ++i) {
        const QByteArray stamp =
            origin.addSecs(qint64(i) * 600).toString("yyyy-MM-dd HH:mm:ss").toUtf8();
        sqlite3_bind_text(insert, 1, name.constData(), int(name.size()), SQLITE_STATIC);
        sqlite3_bind_int(insert, 2, 100 + i % 90);
        sqlite3_bind_int(insert, 3, 60 + i % 40);
        sqlite3_bind_int(insert, 4, 50 + i % 60);
        sqlite3_bind_text(insert, 5, stamp.constData(), int(stamp.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 6, i % 50 == 0);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

struct Fixture {
    Fixture() {
        dm1.DataModuleCreate();
        generate(dm1.ADOConnection1.handle());
        language.selectLanguage();
        page.comb_user()->addItem(person);
        page.comb_user()->setCurrentIndex(0);
        page.comb_userChange();
        if (page.grid()->shownRowCount() != readings)
            qFatal("the list holds %d rows", page.grid()->shownRowCount());
    }
    QTemporaryDir dir;
    store::Tdm1 dm1{dir.path()};
    lang::LanguageStore language{dm1};
    ui::PictureLibrary pictures{dir.path()};
    NoMessages messages;
    lang::WindowContext context{dir.path(), dm1, language, pictures, messages};
    measure::DataPage page{context};
};

Fixture& fixture() {
    static Fixture* made = new Fixture;
    return *made;
}

struct Times {
    double least = 0;
    double median = 0;
};

// Real and processor time of a series of runs, in ms.
struct Runs {
    QList<double> real;
    QList<double> cpu;
};

double processMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

Times summary(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms.first(), ms[ms.size() / 2]};
}

const QString personSql = "select delselection,personal,systolic,diastolic,heart_beat,checktime "
                          "from bp_record where personal='" +
                          person + "' order by personal,checktime,delselection";

// The shell's own timer figures for writing the query as csv with its header to a file.
Runs shellCsvRuns(int runs = 9) {
    QProcess shell;
    shell.start("/usr/bin/sqlite3", {"-csv", "-header", fixture().dm1.GetDBLinkStr()});
    QByteArray script = ".timer on\n";
    for (int i = 0; i < runs; ++i)
        script += ".output " + fixture().dir.filePath("shell.csv").toUtf8() + "\n" +
                  personSql.toUtf8() + ";\n.output stdout\n";
    shell.write(script);
    shell.closeWriteChannel();
    shell.waitForFinished(-1);
    static const QRegularExpression timer(
        QStringLiteral("Run Time: real ([0-9.]+) user ([0-9.]+) sys ([0-9.]+)"));
    Runs times;
    const QString out = QString::fromUtf8(shell.readAllStandardOutput()) +
                        QString::fromUtf8(shell.readAllStandardError());
    for (auto match = timer.globalMatch(out); match.hasNext();) {
        const auto found = match.next();
        times.real.append(found.captured(1).toDouble() * 1000);
        times.cpu.append((found.captured(2).toDouble() + found.captured(3).toDouble()) * 1000);
    }
    if (times.real.size() != runs)
        qFatal("the sqlite3 shell gave %d times for %d runs: %s", int(times.real.size()), runs,
               qPrintable(out));
    return times;
}

void exportList(output::ExportFormat format, const QString& name) {
    if (const auto reason =
            output::writeGridFile(*fixture().page.grid(), format, fixture().dir.filePath(name)))
        qFatal("%s", qPrintable(*reason));
}

template <class Body> void besideShell(benchmark::State& state, const QString& file, Body&& body) {
    Runs runs;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processMs();
        body();
        runs.cpu.append(processMs() - cpuStart);
        runs.real.append(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    const Runs shellRuns = shellCsvRuns();
    const Times ours = summary(runs.real), shell = summary(shellRuns.real);
    const Times oursCpu = summary(runs.cpu), shellCpu = summary(shellRuns.cpu);
    state.counters["rows"] = fixture().page.grid()->shownRowCount();
    state.counters["MB"] = QFileInfo(fixture().dir.filePath(file)).size() / 1e6;
    state.counters["median_ms"] = ours.median;
    state.counters["shell_median_ms"] = shell.median;
    state.counters["x_shell_median"] = ours.median / shell.median;
    state.counters["least_ms"] = ours.least;
    state.counters["shell_least_ms"] = shell.least;
    state.counters["x_shell_least"] = ours.least / shell.least;
    state.counters["cpu_median_ms"] = oursCpu.median;
    state.counters["shell_cpu_median_ms"] = shellCpu.median;
    state.counters["x_shell_cpu_median"] = oursCpu.median / shellCpu.median;
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
