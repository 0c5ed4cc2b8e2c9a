// The Data page on a database of 1,100,000 readings: 100 persons with 10,000 each and
// one with 100,000. Beside our least and median times stand, as counters, the least and
// median times the sqlite3 shell needs for the equivalent plain query on the same file
// (by its own timer, over nine runs) and the ratios of ours to the shell's. Marks are
// stored as the program stores them: -1 for true.
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/AnalysisQuery.h"
#include "measure/DataPage.h"
#include "measure/TrendChart.h"
#include "store/Tdm1.h"
#include "ui/PictureLibrary.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sqlite3.h>

namespace {

const QString bigPerson = QStringLiteral("Big");
const QDate yearStart(2020, 1, 1), yearEnd(2020, 12, 31);

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

// Readings arrive in downloads: ten rounds, each with a tenth of every person's
// readings. Normal persons measure every hour, the big one every ten minutes.
void generate(sqlite3* db) {
    struct Person {
        QString name;
        int count;
        int minutes;
    };
    QList<Person> people;
    for (int i = 1; i <= 100; ++i)
        people.append({QStringLiteral("Person %1").arg(i, 3, 10, QLatin1Char('0')), 10000, 60});
    people.append({bigPerson, 100000, 10});
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into bp_record(personal,systolic,diastolic,heart_beat,"
                             "checktime,checktime_mmdd,checktime_hhmm,delselection) values "
                             "(?,?,?,?,?,?,?,?)",
                             -1, &insert, nullptr),
          db);
    const QDateTime origin(yearStart, QTime(0, 0), Qt::UTC);
    for (int round = 0; round < 10; ++round) {
        for (const Person& person : people) {
            const QByteArray name = person.name.toUtf8();
            const int chunk = person.count / 10;
            for (int i = round * chunk; i < (round + 1) * chunk; ++i) {
                const QDateTime time = origin.addSecs(qint64(i) * person.minutes * 60);
                const QByteArray stamp = time.toString("yyyy-MM-dd HH:mm:ss").toUtf8();
                sqlite3_bind_text(insert, 1, name.constData(), int(name.size()), SQLITE_STATIC);
                sqlite3_bind_int(insert, 2, 100 + i % 90);
                sqlite3_bind_int(insert, 3, 60 + i % 40);
                sqlite3_bind_int(insert, 4, 50 + i % 60);
                sqlite3_bind_text(insert, 5, stamp.constData(), int(stamp.size()),
                                  SQLITE_TRANSIENT);
                sqlite3_bind_text(insert, 6, qPrintable(time.toString("MM/dd")), -1,
                                  SQLITE_TRANSIENT);
                sqlite3_bind_text(insert, 7, qPrintable(time.toString("HH:mm")), -1,
                                  SQLITE_TRANSIENT);
                sqlite3_bind_int(insert, 8, i % 50 == 0 ? -1 : 0);
                check(sqlite3_step(insert), db);
                sqlite3_reset(insert);
            }
        }
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

// The generated database and the Data page on it, made once per run.
struct Fixture {
    Fixture() {
        dm1.DataModuleCreate();
        generate(dm1.ADOConnection1.handle());
        language.selectLanguage();
        page.comb_user()->addItem(bigPerson);
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

// The least and the median of a series of times in ms.
struct Times {
    double least = 0;
    double median = 0;
};

Times summary(QList<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms.first(), ms[ms.size() / 2]};
}

// The shell cannot load the program's text collation. It reads a byte copy of the file
// whose schema names SQLite's own NOCASE instead: the same pages, and for these ASCII
// names the same order, so the indexes stay valid.
QString shellFile() {
    static const QString path = [] {
        const QString copy = fixture().dir.filePath("shell.mdb");
        if (!QFile::copy(fixture().dm1.GetDBLinkStr(), copy))
            qFatal("cannot copy the database for the shell");
        sqlite3* db = nullptr;
        check(sqlite3_open(copy.toUtf8().constData(), &db), db);
        check(sqlite3_exec(db,
                           "PRAGMA writable_schema=ON; UPDATE sqlite_master SET "
                           "sql=replace(sql,'COLLATE FOLDCASE','COLLATE NOCASE'); "
                           "PRAGMA writable_schema=OFF;",
                           nullptr, nullptr, nullptr),
              db);
        sqlite3_close(db);
        return copy;
    }();
    return path;
}

// The shell's own timer figures over runs of sql.
Times shellTimes(const QString& sql, int runs = 9) {
    QProcess shell;
    shell.start("/usr/bin/sqlite3", {shellFile()});
    QByteArray script = ".timer on\n.output /dev/null\n";
    for (int i = 0; i < runs; ++i)
        script += sql.toUtf8() + ";\n";
    shell.write(script);
    shell.closeWriteChannel();
    shell.waitForFinished(-1);
    static const QRegularExpression timer(QStringLiteral("Run Time: real ([0-9.]+)"));
    QList<double> ms;
    for (auto match = timer.globalMatch(QString::fromUtf8(shell.readAllStandardOutput()));
         match.hasNext();)
        ms.append(match.next().captured(1).toDouble() * 1000);
    if (ms.size() != runs)
        qFatal("the sqlite3 shell gave %d times for %d runs", int(ms.size()), runs);
    return summary(ms);
}

// Runs body as the benchmark and sets our least and median time beside the shell's
// and the ratios of ours to the shell's.
template <class Body>
void besideShell(benchmark::State& state, const QString& shellSql, Body&& body) {
    QList<double> ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        body();
        ms.append(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    const Times ours = summary(ms);
    const Times shell = shellTimes(shellSql);
    state.counters["rows"] = fixture().dm1.ado_analysis.recordCount();
    state.counters["median_ms"] = ours.median;
    state.counters["shell_median_ms"] = shell.median;
    state.counters["x_shell_median"] = ours.median / shell.median;
    state.counters["least_ms"] = ours.least;
    state.counters["shell_least_ms"] = shell.least;
    state.counters["x_shell_least"] = ours.least / shell.least;
}

void openList(const QString& sql) {
    store::Dataset& list = fixture().dm1.ado_analysis;
    list.close();
    list.setCommandText(sql);
    list.setParameter("a1", bigPerson);
    list.open();
}

// The shell's plain counterpart of a query: the person and the bounds written in, and
// strftime in place of the dialect's date functions.
QString plain(const QString& grouping) {
    const QString where = " from bp_record where checktime>='2020-01-01' and "
                          "checktime<'2021-01-01' and personal='Big'";
    if (grouping.isEmpty())
        return "select delselection,personal,systolic,diastolic,heart_beat,checktime" + where +
               " order by personal,checktime,delselection";
    const QString period = "strftime('" + grouping + "',checktime)";
    return "select delselection,personal,round(avg(systolic),0),round(avg(diastolic),0),"
           "round(avg(heart_beat),0)," +
           period + where + " group by delselection,personal," + period + " order by personal," +
           period + ",delselection";
}

const QString personSql =
    "select delselection,personal,systolic,diastolic,heart_beat,checktime from bp_record  "
    "where personal='Big' order by personal,checktime,delselection";

void OpenPersonList(benchmark::State& state) {
    besideShell(state, personSql, [] { openList(measure::personQuery()); });
}

void Analysis(benchmark::State& state, measure::AnalysisMode mode, const QString& grouping) {
    const QString sql = measure::analysisQuery(mode, "dd.MM.yyyy", yearStart, yearEnd);
    besideShell(state, plain(grouping), [&sql] { openList(sql); });
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
                             "checktime from bp_record where personal='Big' order by systolic desc";
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
BENCHMARK_CAPTURE(Analysis, day, measure::AnalysisMode::Day, QStringLiteral("%d.%m.%Y"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(Analysis, week, measure::AnalysisMode::Week, QStringLiteral("%U"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK_CAPTURE(Analysis, month, measure::AnalysisMode::Month, QStringLiteral("%m"))
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);
BENCHMARK(FillChart)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(ChoosePerson)->Unit(benchmark::kMillisecond)->MinTime(2);

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
