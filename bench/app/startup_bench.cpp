// Start-up on a database of 1,000,000 readings of 100 persons: from the data module's
// creation until the main window is shown and painted, as the program entry does it.
#include "app/Tfrm_main.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "store/Tdm1.h"
#include "ui/PictureLibrary.h"

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace {

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

// 100 persons with 10,000 hourly readings each, saved in ten downloads.
void generate(sqlite3* db) {
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* person = nullptr;
    check(sqlite3_prepare_v2(db, "insert into bp_userinfo(id,lastname,firstname) values(?,?,'F')",
                             -1, &person, nullptr),
          db);
    sqlite3_stmt* reading = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into bp_record(personal,systolic,diastolic,heart_beat,"
                             "checktime,checktime_mmdd,checktime_hhmm) values (?,?,?,?,?,?,?)",
                             -1, &reading, nullptr),
          db);
    QList<QByteArray> names;
    for (int i = 1; i <= 100; ++i) {
        names << QStringLiteral("Person %1").arg(i, 3, 10, QLatin1Char('0')).toUtf8();
        sqlite3_bind_int(person, 1, i);
        sqlite3_bind_text(person, 2, names.last().constData(), -1, SQLITE_STATIC);
        check(sqlite3_step(person), db);
        sqlite3_reset(person);
    }
    const QDateTime origin(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int round = 0; round < 10; ++round) {
        for (const QByteArray& name : names) {
            for (int i = round * 1000; i < (round + 1) * 1000; ++i) {
                const QDateTime time = origin.addSecs(qint64(i) * 3600);
                sqlite3_bind_text(reading, 1, name.constData(), -1, SQLITE_STATIC);
                sqlite3_bind_int(reading, 2, 100 + i % 90);
                sqlite3_bind_int(reading, 3, 60 + i % 40);
                sqlite3_bind_int(reading, 4, 50 + i % 60);
                sqlite3_bind_text(reading, 5, qPrintable(time.toString("yyyy-MM-dd HH:mm:ss")), -1,
                                  SQLITE_TRANSIENT);
                sqlite3_bind_text(reading, 6, qPrintable(time.toString("MM/dd")), -1,
                                  SQLITE_TRANSIENT);
                sqlite3_bind_text(reading, 7, qPrintable(time.toString("HH:mm")), -1,
                                  SQLITE_TRANSIENT);
                check(sqlite3_step(reading), db);
                sqlite3_reset(reading);
            }
        }
    }
    sqlite3_finalize(person);
    sqlite3_finalize(reading);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
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
        store::Tdm1 dm1(dir);
        lang::LanguageStore language(dm1);
        ui::PictureLibrary pictures(dir);
        NoMessages messages;
        lang::WindowContext context{dir, dm1, language, pictures, messages};
        dm1.DataModuleCreate();
        language.selectLanguage();
        auto window = std::make_unique<app::Tfrm_main>(context);
        window->show();
        QApplication::processEvents();
        ms.append(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    std::sort(ms.begin(), ms.end());
    state.counters["least_ms"] = ms.first();
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["readings"] = 1000000;
}

BENCHMARK(StartUp)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform remarks on every shown window; the figures are what counts.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtWarningMsg || !text.contains(QLatin1String("propagateSizeHints")))
            fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    appDir();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
