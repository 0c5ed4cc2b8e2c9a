#include "output/ShowReport.h"

#include "ReportFixture.h"
#include "output/PreviewWindow.h"
#include "output/ScreenDestination.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

namespace {

class ShowReportTest : public ReportFixture {
protected:
    void SetUp() override {
        ReportFixture::SetUp();
        reports.setDestination(&recorder);
    }

    void write(const QString& name, const QByteArray& text) {
        QFile file(dir.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    RecordingDestination recorder;
    output::ReportShow reports{context};
};

TEST_F(ShowReportTest, SendsTheBoundDatasetToTheChosenDestination) {
    readings("bp_record_user2", "Baker", 3);
    dm1.ado_rc2.close();
    dm1.ado_rc2.open();
    reports.ShowReport(dm1.ado_rc2, "preview", dir.file("bprecv.rav"));
    reports.ShowReport(dm1.ado_user, "printer", dir.file("userinfo.rav"));
    // Any other show type keeps the last destination.
    reports.ShowReport(dm1.ado_user, "screen", dir.file("userinfo.rav"));

    ASSERT_EQ(recorder.runs.size(), 3u);
    EXPECT_EQ(recorder.runs[0].destination, "preview");
    EXPECT_EQ(recorder.runs[0].templateFile, "bprecv.rav");
    EXPECT_EQ(recorder.runs[0].dataset, &dm1.ado_rc2);
    EXPECT_EQ(recorder.runs[0].rows, 3);
    EXPECT_EQ(recorder.runs[1].destination, "printer");
    EXPECT_EQ(recorder.runs[1].dataset, &dm1.ado_user);
    EXPECT_EQ(recorder.runs[2].destination, "printer");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ShowReportTest, BrokenTemplatesAreNamedAndNothingIsShown) {
    QFile::remove(dir.file("userinfo.rav"));
    write("truncated.rav", R"({"version": 1, "header": {"title": "t"}, "colu)");
    write("misspelt.rav", R"({"version": 1, "header": {"title": "t", "persn_field": "x"},
        "columns": [{"field": "a", "title": "A"}]})");
    QDir(dir.path()).mkdir("folder.rav");
    for (const char* name : {"userinfo.rav", "truncated.rav", "misspelt.rav", "folder.rav"})
        reports.ShowReport(dm1.ado_user, "printer", dir.file(name));

    EXPECT_TRUE(recorder.runs.empty());
    ASSERT_EQ(messages.shown.size(), 4);
    const QString folder = QDir::toNativeSeparators(dir.path());
    EXPECT_EQ(messages.shown[0], "error:The report template " + folder + QDir::separator() +
                                     "userinfo.rav was not found. Nothing was printed.");
    EXPECT_TRUE(messages.shown[1].contains("truncated.rav is damaged"));
    EXPECT_TRUE(messages.shown[2].contains("misspelt.rav"));
    EXPECT_TRUE(messages.shown[2].contains("unknown field \"persn_field\" in header"));
    EXPECT_TRUE(messages.shown[3].contains("folder.rav cannot be read"));
}

class ScreenDestinationTest : public ReportFixture {
protected:
    void SetUp() override {
        ReportFixture::SetUp();
        readings("bp_record_user2", "Baker", 120);
        dm1.ado_rc2.close();
        dm1.ado_rc2.open();
        document = report("bprecv.rav", dm1.ado_rc2);
        screen.defaultPrinter = [] { return QPrinterInfo(); };
        screen.choosePdf = [this](QWidget*, const QString& suggested) {
            suggestions << suggested;
            return chosen;
        };
    }

    QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<output::ReportDocument> document;
    output::ScreenDestination screen{context};
    QStringList suggestions;
    QString chosen;
};

TEST_F(ScreenDestinationTest, WithoutPrinterTheOperatorMayDecline) {
    messages.answers = {false};
    screen.print(*document);
    EXPECT_EQ(messages.shown, QStringList{"ask:report_no_printer"});
    EXPECT_TRUE(suggestions.isEmpty());
}

TEST_F(ScreenDestinationTest, WithoutPrinterThePdfTakesItsPlace) {
    chosen = dir.file("memory");
    messages.answers = {true};
    screen.print(*document);
    EXPECT_EQ(messages.shown, QStringList{"ask:report_no_printer"});
    ASSERT_EQ(suggestions.size(), 1);
    EXPECT_EQ(QFileInfo(suggestions[0]).fileName(),
              "Baker " + QDate::currentDate().toString(Qt::ISODate) + ".pdf");
    EXPECT_TRUE(contents(dir.file("memory.pdf")).startsWith("%PDF"));
}

TEST_F(ScreenDestinationTest, ExistingPdfIsReplacedOnlyAfterYes) {
    chosen = dir.file("old.pdf");
    QFile old(chosen);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep");
    old.close();

    messages.answers = {true, false};
    screen.print(*document);
    EXPECT_EQ(contents(chosen), "keep");
    messages.answers = {true, true};
    screen.print(*document);
    EXPECT_TRUE(contents(chosen).startsWith("%PDF"));
    EXPECT_EQ(messages.shown.count("ask:report_pdf_replace"), 2);
}

TEST_F(ScreenDestinationTest, UnwritablePdfIsReportedWithItsName) {
    chosen = dir.file("no/such/folder/report.pdf");
    messages.answers = {true};
    screen.print(*document);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(
        messages.shown[1].startsWith("error:The PDF file " + QDir::toNativeSeparators(chosen)));
    EXPECT_FALSE(QFile::exists(chosen));
}

TEST_F(ScreenDestinationTest, PreviewTurnsPagesAndZooms) {
    const int pages = document->pageCount();
    ASSERT_GE(pages, 3);
    QStringList captions;
    int width100 = 0, width200 = 0;
    screen.runPreview = [&](output::PreviewWindow& window) {
        window.show();
        captions << window.pageLabel()->text();
        window.btn_nextClick();
        captions << window.pageLabel()->text();
        window.btn_lastClick();
        window.btn_nextClick();
        captions << window.pageLabel()->text();
        window.btn_firstClick();
        window.btn_priorClick();
        captions << window.pageLabel()->text();
        width100 = window.pagePicture()->pixmap().width();
        window.setZoom(200);
        width200 = window.pagePicture()->pixmap().width();
        // Printing from the preview goes the printer's way.
        messages.answers = {false};
        window.btn_printClick();
    };
    screen.preview(*document);

    const QString last = QString::number(pages);
    EXPECT_EQ(captions, QStringList({"Page 1 of " + last, "Page 2 of " + last,
                                     "Page " + last + " of " + last, "Page 1 of " + last}));
    EXPECT_NEAR(width200, 2 * width100, 2);
    EXPECT_EQ(messages.shown, QStringList{"ask:report_no_printer"});
}

} // namespace
