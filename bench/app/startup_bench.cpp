// Start-up on a database of 1,000,000 readings of 100 persons: from the data module's
// creation until the main window is shown and painted, as the program entry does it.
#include "app/Tfrm_main.h"
#include "store/Tdm1.h"
#include "support/Main.h"
#include "support/Readings.h"
#include "support/ShellTimes.h"
#include "support/WindowSetup.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace {

// 100 persons with 10,000 hourly readings each, saved in ten downloads.
void generate(sqlite3* db) {
    bench::check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* person = nullptr;
    bench::check(
        sqlite3_prepare_v2(db, "insert into bp_userinfo(id,lastname,firstname) values(?,?,'F')", -1,
                           &person, nullptr),
        db);
    bench::ReadingsPlan plan{.rounds = 10, .dayAndTime = true};
    for (int i = 1; i <= 100; ++i) {
        plan.series.append(
            {QStringLiteral("Person %1").arg(i, 3, 10, QLatin1Char('0')), 10000, 60});
        const QByteArray name = plan.series.last().person.toUtf8();
        sqlite3_bind_int(person, 1, i);
        sqlite3_bind_text(person, 2, name.constData(), -1, SQLITE_TRANSIENT);
        bench::check(sqlite3_step(person), db);
        sqlite3_reset(person);
    }
    sqlite3_finalize(person);
    bench::check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    bench::insertReadings(db, plan);
}

QTemporaryDir& appDir() {
    static QTemporaryDir* dir = [] {
        auto* made = new QTemporaryDir;
        store::Tdm1 dm1(made->path());
        dm1.DataModuleCreate();
        generate(dm1.ADOConnection1.handle());
        return made;
    }();
    return *dir;
}

// The program entry's steps up to the shown main window.
void StartUp(benchmark::State& state) {
    const QString dir = appDir().path();
    QList<double> ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bench::WindowSetup setup(dir);
        setup.start();
        auto window = std::make_unique<app::Tfrm_main>(setup.context);
        window->show();
        QApplication::processEvents();
        ms.append(bench::msSince(start));
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    const bench::Times times = bench::summary(ms);
    state.counters["least_ms"] = times.least;
    state.counters["median_ms"] = times.median;
    state.counters["readings"] = 1000000;
}

BENCHMARK(StartUp)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform remarks on every shown window; the figures are what counts.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtWarningMsg || !text.contains(QLatin1String("propagateSizeHints")))
            fprintf(stderr, "%s\n", qPrintable(text));
    });
    return bench::runOffscreen(argc, argv, [] { appDir(); });
}
