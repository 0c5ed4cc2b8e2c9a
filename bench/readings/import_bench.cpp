// Import of a file of 100,000 readings for one person, from opening the database to the
// commit. Beside our least and median times stand, as counters, those of the sqlite3
// shell importing the same file with .import into a table of the file's columns (whole
// runs of the shell, start included, over nine runs), and the ratios of ours to the
// shell's: real time, and processor time (user and system). The memory counters are the
// process's peak resident size before the first import and after the last, and the
// growth between them.
#include "readings/CsvImport.h"
#include "store/Database.h"
#include "support/Main.h"
#include "support/ShellTimes.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int kReadings = 100000;
const QString person = QStringLiteral("Müller");

// A file's titles, how a line is written, and the shell's table and separator for it.
struct FileForm {
    const char* name;
    const char* titles;
    QString (*line)(const QDateTime& moment, int index);
    const char* shellTable;
    const char* separator;
};

const FileForm iso{
    "iso.csv", "Date and time,Systolic,Diastolic,Pulse,Mark",
    [](const QDateTime& moment, int i) {
        return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm")) +
               QStringLiteral(",%1,%2,%3,%4")
                   .arg(100 + i % 90)
                   .arg(60 + i % 30)
                   .arg(50 + i % 60)
                   .arg(i % 50 == 0 ? QStringLiteral("True") : QStringLiteral("False"));
    },
    "CREATE TABLE t (checktime DATETIME, systolic INTEGER, diastolic INTEGER, heart_beat "
    "INTEGER, delselection BOOLEAN NOT NULL DEFAULT 0)",
    ","};

const FileForm spreadsheet{
    "spreadsheet.csv", "Datum;Uhrzeit;Systole;Diastole;Puls",
    [](const QDateTime& moment, int i) {
        return moment.toString(QStringLiteral("dd.MM.yyyy;HH:mm")) +
               QStringLiteral(";%1;%2;%3").arg(100 + i % 90).arg(60 + i % 30).arg(50 + i % 60);
    },
    "CREATE TABLE t (checktime_mmdd TEXT, checktime_hhmm TEXT, systolic INTEGER, diastolic "
    "INTEGER, heart_beat INTEGER)",
    ";"};

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct Fixture {
    QTemporaryDir dir;

    QString file(const QString& name) const { return dir.filePath(name); }

    // One reading every ten minutes from 1 January 2020, written line by line.
    void writeFile(const FileForm& form) const {
        QFile out(file(form.name));
        if (!out.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", form.name);
        out.write(QByteArray(form.titles) + "\r\n");
        const QDateTime origin(QDate(2020, 1, 1), QTime(0, 0));
        for (int i = 0; i < kReadings; ++i)
            out.write(form.line(origin.addSecs(qint64(i) * 600), i).toUtf8() + "\r\n");
    }

    Fixture() {
        store::Database db;
        db.open(file("template.mdb"));
        db.execute(QStringLiteral("insert into bp_userinfo(id,lastname) values (1,'Müller')"));
        writeFile(iso);
        writeFile(spreadsheet);
    }

    static void copy(const QString& from, const QString& to) {
        QFile::remove(to);
        if (!QFile::copy(from, to))
            qFatal("cannot copy %s", qPrintable(from));
    }
};

// Destroyed at exit, so that the temporary directory goes with it.
Fixture& fixture() {
    static Fixture made;
    return made;
}

void importOnce(const QString& data) {
    store::Database db;
    db.open(fixture().file("tonvi.mdb"));
    readings::CsvFile file(data);
    readings::ImportOptions options;
    const readings::ImportResult result = readings::importReadings(db, person, file, options);
    if (result.status != readings::ImportStatus::Done || result.summary.stored != kReadings)
        qFatal("the import stored %d readings", result.summary.stored);
}

void Import(benchmark::State& state, const FileForm& form) {
    Fixture& f = fixture();
    const QString data = f.file(form.name);
    const double before = peakMegabytes();
    bench::Runs ours;
    for (auto _ : state) {
        state.PauseTiming();
        Fixture::copy(f.file("template.mdb"), f.file("tonvi.mdb"));
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = bench::processMs();
        importOnce(data);
        ours.cpu.append(bench::processMs() - cpuStart);
        ours.real.append(bench::msSince(start));
    }
    const double after = peakMegabytes();
    const QString shellDb = f.file("shell.db");
    const QByteArray script = QByteArray(form.shellTable) + ";\n.mode csv\n.separator " +
                              form.separator + "\n.import --skip 1 " + data.toUtf8() + " t\n";
    const bench::Runs shell =
        bench::shellProcessRuns({shellDb}, script, [&] { QFile::remove(shellDb); });
    state.counters["rows"] = kReadings;
    state.counters["MB"] = QFile(data).size() / 1e6;
    state.counters["peak_before_MB"] = before;
    state.counters["peak_after_MB"] = after;
    state.counters["peak_growth_MB"] = after - before;
    bench::realBesideShell(state, ours, shell);
    bench::cpuBesideShell(state, ours, shell);
}

BENCHMARK_CAPTURE(Import, iso, iso)->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK_CAPTURE(Import, spreadsheet, spreadsheet)->Unit(benchmark::kMillisecond)->Iterations(9);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithoutWindows(argc, argv, [] { fixture(); });
}
