// The first page of the summary for a person with 10,000 readings (one every hour from
// 1 January 2020), from the preview image of the Data page's statistics view: the stored
// readings read, the figures, the chart, and the page painted as the preview shows it or
// as a PDF page. Limit: 1 s.
#include "measure/DataPage.h"
#include "output/ReportDestination.h"
#include "output/ReportDocument.h"
#include "output/ReportMemory.h"
#include "output/ShowReport.h"
#include "support/DataPageBench.h"
#include "support/Main.h"
#include "support/Readings.h"
#include "testkit/ReportTemplates.h"

#include <QBuffer>
#include <QComboBox>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

namespace {

constexpr int kReadings = 10000;

// Paints the first page only, on a picture at the preview's resolution or on a PDF page.
class FirstPage : public output::ReportDestination {
public:
    void preview(const output::ReportDocument& report) override {
        pages = report.pageCount();
        if (pdf) {
            QBuffer file;
            file.open(QIODevice::WriteOnly);
            QPdfWriter writer(&file);
            writer.setPageLayout(report.pageLayout());
            QPainter painter(&writer);
            report.paintPage(painter, 0);
            painter.end();
            bytes = file.size();
        } else {
            benchmark::DoNotOptimize(report.pageImage(0, 96));
        }
    }
    void print(const output::ReportDocument& report) override { preview(report); }

    bool pdf = false;
    int pages = 0;
    qint64 bytes = 0;
};

struct Fixture : bench::DataPageBench {
    Fixture()
        : DataPageBench([](sqlite3* db) {
              bench::insertReadings(db, {.series = {{"Big", kReadings, 60}}, .mark = -1});
          }) {
        copyReportTemplates(dm1.appDir());
        page.comb_user()->addItem("Big");
        page.comb_userChange();
        page.viewBox()->setCurrentIndex(2);
        page.ComboBox3Change();
        page.reports().setDestination(&firstPage);
    }
    FirstPage firstPage;
};

Fixture& fixture() {
    static Fixture* made = new Fixture;
    return *made;
}

void SummaryFirstPage(benchmark::State& state, bool pdf) {
    Fixture& f = fixture();
    f.firstPage.pdf = pdf;
    for (auto _ : state)
        f.page.img_preview_1Click();
    state.counters["readings"] = kReadings;
    state.counters["pages"] = f.firstPage.pages;
    if (pdf)
        state.counters["kB"] = f.firstPage.bytes / 1e3;
    state.counters["limit_ms"] = 1000;
}

BENCHMARK_CAPTURE(SummaryFirstPage, preview, false)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_CAPTURE(SummaryFirstPage, pdf, true)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    output::keepFreedMemory();
    return bench::runOffscreen(argc, argv, [] { fixture(); });
}
