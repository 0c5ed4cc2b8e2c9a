// Reports of one person with 100,000 readings (analysis_table.rav, as the Data page shows
// them): the whole report as a PDF file, and the preview window up to its first page.
// Limits: 5 s for the PDF, 1 s for the first page of the preview.
#include "output/PdfFile.h"
#include "output/PreviewWindow.h"
#include "output/ReportDocument.h"
#include "output/ReportMemory.h"
#include "store/Tdm1.h"
#include "support/Main.h"
#include "support/Readings.h"
#include "support/WindowSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kReadings = 100000;

struct Fixture {
    Fixture() {
        setup.start();
        // Readings every ten minutes from 1 January 2020.
        bench::insertReadings(dm1.ADOConnection1.handle(), {.series = {{"Big", kReadings, 10}}});
        dm1.ado_analysis.setCommandText(
            "select delselection,personal,systolic,diastolic,heart_beat,checktime from "
            "bp_record where personal='Big' order by personal,checktime,delselection");
        dm1.ado_analysis.open();
    }

    std::unique_ptr<output::ReportDocument> report() {
        return std::make_unique<output::ReportDocument>(
            templatePath, output::loadTemplate(templatePath), dm1.ado_analysis,
            [this](const QString& key) { return setup.language.GetHintText(key); });
    }

    QTemporaryDir dir;
    QString templatePath =
        QDir(QCoreApplication::applicationDirPath()).filePath("analysis_table.rav");
    bench::WindowSetup setup{dir.path()};
    store::Tdm1& dm1 = setup.dm1;
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
        output::PreviewWindow window(*report, f.setup.context);
        benchmark::DoNotOptimize(window.currentPage());
    }
    state.counters["rows"] = f.dm1.ado_analysis.recordCount();
    state.counters["limit_ms"] = 1000;
}

BENCHMARK(PdfOf100000Readings)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PreviewFirstPage)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    output::keepFreedMemory();
    return bench::runOffscreen(argc, argv, [] { fixture(); });
}
