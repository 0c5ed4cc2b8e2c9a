#include "DataPageFixture.h"
#include "output/ShowReport.h"
#include "support/PdfText.h"
#include "support/RecordingDestination.h"

namespace {

using measure::AnalysisMode;

// Reports go to a PDF file, read back as text.
class PdfDestination : public output::ReportDestination {
public:
    explicit PdfDestination(QString path) : path_(std::move(path)) {}
    void preview(const output::ReportDocument& report) override { record(report); }
    void print(const output::ReportDocument& report) override { record(report); }

    QString text;
    int pages = 0;

private:
    void record(const output::ReportDocument& report) {
        text = pdfText(report, path_);
        pages = report.pageCount();
    }
    QString path_;
};

// The lines of the text that contain none of the expected parts.
QStringList missing(const QString& text, const QStringList& expected) {
    const QStringList all = lines(text);
    QStringList result;
    for (const QString& part : expected) {
        if (!std::any_of(all.begin(), all.end(),
                         [&part](const QString& line) { return line.contains(part); }))
            result << part;
    }
    return result;
}

// The user's locale is German (see the fixture): the English texts write numbers as the
// statistics view does, with the territory's decimal comma.
class SummaryReport : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        copyReportTemplates(dir.path());
        dm1.adocom1.execute("insert into bp_userinfo(id,lastname,firstname,birthday,gender,smoker,"
                            "diabetic) values (1,'Miller','Anna','1958-03-14 00:00:00','Female',"
                            "-1,-1),(2,'Baker','Tom',null,'Male',0,0)");
        persons({"Miller", "Baker"});
        reading("Miller", 160, 100, 70, "2024-03-01 08:00:00", true);
        reading("Miller", 140, 90, 72, "2024-03-01 20:00:00");
        reading("Miller", 120, 80, 74, "2024-03-02 09:00:00");
        reading("Miller", 200, 120, 90, "2024-04-02 09:00:00"); // after the range
        dm1.adocom1.execute("update bp_record set measurement_status=4 where systolic=160");
        page->reports().setDestination(&pdf);
    }

    // The statistics of the person's readings of March 2024, as a summary.
    void summarize(int person, AnalysisMode mode = AnalysisMode::Time) {
        choosePerson(person);
        confirmAnalysis(mode, {2024, 3, 1}, {2024, 3, 31});
        page->img_analyClick();
        chooseView(2);
        page->img_preview_1Click();
    }

    PdfDestination pdf{dir.file("summary.pdf")};
};

struct Language {
    const char* name;
    QStringList expected;
};

TEST_F(SummaryReport, FirstPageNamesThePersonTheFiguresAndTheRiskFactors) {
    const Language languages[] = {
        {"english",
         {"Blood pressure summary", "Person: Anna Miller", "Period: 01.03.2024 – 31.03.2024",
          "Date of birth: 14.03.1958", "Gender: Female",
          "Systolic (mmHg) mean 140,0, SD 20,0, lowest 120, highest 160",
          "Diastolic (mmHg) mean 90,0, SD 10,0, lowest 80, highest 100",
          "Category of the mean Grade 1 hypertension", "Categories after ESH 2023.", "Risk factors",
          "Smoker, Diabetes", "Page 1 of 2", "01.03.2024 08:00 160 100 70 Grade 2 hypertension irregular pulse ✓",
          "02.03.2024 09:00 120 80 74 Normal"}},
        {"german",
         {"Blutdruck-Zusammenfassung", "Person: Anna Miller", "Zeitraum: 01.03.2024 – 31.03.2024",
          "Geburtsdatum: 14.03.1958", "Geschlecht: Weiblich",
          "Systolisch (mmHg) Mittel 140,0, SA 20,0, niedrigster 120, höchster 160",
          "Diastolisch (mmHg) Mittel 90,0, SA 10,0, niedrigster 80, höchster 100",
          "Kategorie des Mittels Hypertonie Grad 1", "Kategorien nach ESH 2023.", "Risikofaktoren",
          "Raucher, Diabetes", "Seite 1 von 2", "01.03.2024 08:00 160 100 70 Hypertonie Grad 2 unregelmäßiger Puls ✓",
          "02.03.2024 09:00 120 80 74 Normal"}},
    };
    for (const Language& language : languages) {
        chooseLanguage(language.name);
        summarize(0);
        EXPECT_EQ(missing(pdf.text, language.expected).join(" | ").toStdString(), "")
            << language.name;
        EXPECT_EQ(pdf.pages, 2) << language.name;
        EXPECT_FALSE(pdf.text.contains("02.04.2024")) << language.name;
    }
}

TEST_F(SummaryReport, WithoutReadingsInRangeOnePageSaysSo) {
    summarize(1);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_EQ(missing(pdf.text, {"Person: Tom Baker", "Gender: Male", "Readings 0", "None recorded",
                                 "Page 1 of 1"})
                  .join(" | ")
                  .toStdString(),
              "");
    EXPECT_FALSE(pdf.text.contains("Date of birth"));
    EXPECT_FALSE(pdf.text.contains("Trend"));
}

// Averages stand for many readings; the summary lists the readings themselves.
TEST_F(SummaryReport, ListOfAveragesStillGivesTheStoredReadings) {
    RecordingDestination recorder;
    page->reports().setDestination(&recorder);
    summarize(0, AnalysisMode::Day);
    ASSERT_EQ(recorder.runs.size(), 1u);
    EXPECT_EQ(recorder.runs[0].templateFile, "summary.rav");
    EXPECT_EQ(recorder.runs[0].rows, 3);
    EXPECT_NE(recorder.runs[0].dataset, &dm1.ado_analysis);
    EXPECT_EQ(recorder.runs[0].person, "Anna Miller");

    chooseView(0);
    page->img_print_1Click();
    ASSERT_EQ(recorder.runs.size(), 2u);
    EXPECT_EQ(recorder.runs[1].templateFile, "analysis_table_fx.rav");

    // Without a range: all readings, from the day of the first to that of the last.
    choosePerson(0);
    chooseView(2);
    page->img_preview_1Click();
    ASSERT_EQ(recorder.runs.size(), 3u);
    EXPECT_EQ(recorder.runs[2].rows, 4);
    EXPECT_EQ(recorder.runs[2].period, "01.03.2024 – 02.04.2024");
}

} // namespace
