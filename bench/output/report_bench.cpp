// Reports of one person with 100,000 readings (analysis_table.rav, as the Data page shows
// them): the whole report as a PDF file, and the preview window up to its first page.
// Limits: 5 s for the PDF, 1 s for the first page of the preview.
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/PdfFile.h"
#include "output/PreviewWindow.h"
#include "output/ReportDocument.h"
#include "store/Tdm1.h"
#include "ui/PictureLibrary.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kReadings = 100000;

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

// Readings every ten minutes from 1 January 2020.
void generate(sqlite3* db) {
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "insert into bp_record(personal,systolic,diastolic,heart_beat,"
                             "checktime,delselection) values ('Big',?,?,?,?,0)",
                             -1, &insert, nullptr),
          db);
    const QDateTime origin(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (int i = 0; i < kReadings; ++i) {
        const QByteArray stamp =
            origin.addSecs(qint64(i) * 600).toString("yyyy-MM-dd HH:mm:ss").toUtf8();
        sqlite3_bind_int(insert, 1, 100 + i % 90);
        sqlite3_bind_int(insert, 2, 60 + i % 40);
        sqlite3_bind_int(insert, 3, 50 + i % 60);
        sqlite3_bind_text(insert, 4, stamp.constData(), int(stamp.size()), SQLITE_TRANSIENT);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
}

struct Fixture {
    Fixture() {
        dm1.DataModuleCreate();
        language.selectLanguage();
        generate(dm1.ADOConnection1.handle());
        dm1.ado_analysis.setCommandText(
            "select delselection,personal,systolic,diastolic,heart_beat,checktime from "
            "bp_record where personal='Big' order by personal,checktime,delselection");
        dm1.ado_analysis.open();
    }

    std::unique_ptr<output::ReportDocument> report() {
        return std::make_unique<output::ReportDocument>(
            templatePath, output::loadTemplate(templatePath), dm1.ado_analysis,
            [this](const QString& key) { return language.GetHintText(key); });
    }

    QTemporaryDir dir;
    QString templatePath =
        QDir(QCoreApplication::applicationDirPath()).filePath("analysis_table.rav");
    store::Tdm1 dm1{dir.path()};
    lang::LanguageStore language{dm1};
    ui::PictureLibrary pictures{dir.path()};
    NoMessages messages;
    lang::WindowContext context{dir.path(), dm1, language, pictures, messages};
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void PdfOf100000Readings(benchmark::State& state) {
    Fixture& f = fixture();
    const QString pdf = f.dir.filePath("report.pdf");
    int pages = 0;
    for (auto _ : state) {
        const auto report = f.report();
        pages = report->pageCount();
        if (!output::writePdf(*report, pdf).isEmpty())
            state.SkipWithError("the PDF was not written");
    }
    state.counters["rows"] = f.dm1.ado_analysis.recordCount();
    state.counters["pages"] = pages;
    state.counters["MB"] = QFileInfo(pdf).size() / 1e6;
    state.counters["limit_ms"] = 5000;
}

// From the template file to the window with its first page painted.
void PreviewFirstPage(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        const auto report = f.report();
        output::PreviewWindow window(*report, f.context);
        benchmark::DoNotOptimize(window.currentPage());
    }
    state.counters["rows"] = f.dm1.ado_analysis.recordCount();
    state.counters["limit_ms"] = 1000;
}

BENCHMARK(PdfOf100000Readings)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PreviewFirstPage)->Unit(benchmark::kMillisecond)->MinTime(2);

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
