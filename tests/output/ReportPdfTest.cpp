#include "ReportFixture.h"

#include <QRegularExpression>

namespace {

const QStringList readingFields{"checktime", "systolic", "diastolic", "heart_beat"};

class ReportPdfTest : public ReportFixture {
protected:
    store::Dataset& personReadings(const QString& person) {
        store::Dataset& list = dm1.ado_analysis;
        list.close();
        list.setCommandText("select delselection,personal,systolic,diastolic,heart_beat,checktime,"
                            "measurement_status from bp_record where personal=" +
                            store::quoted(person) + " order by personal,checktime");
        list.open();
        return list;
    }
};

TEST_F(ReportPdfTest, ReadingsReportShowsTitlesThePersonAndEveryRowInOrder) {
    readings("bp_record", "Miller", 6);
    readings("bp_record", "Other", 2);
    store::Dataset& list = personReadings("Miller");
    const QString text = pdfText(*report("analysis_table.rav", list));

    EXPECT_TRUE(text.contains("Blood pressure readings"));
    const QStringList all = lines(text);
    EXPECT_TRUE(all.contains("Date and time Systolic (mmHg) Diastolic (mmHg) Pulse (/min) Status"));
    EXPECT_TRUE(all.contains("Person: Miller"));
    const QStringList rows = rowTexts(list, readingFields);
    ASSERT_EQ(rows.size(), 6);
    EXPECT_TRUE(all.contains("Period: " + rowTexts(list, {"checktime"}).first() + " – " +
                             rowTexts(list, {"checktime"}).last()));
    EXPECT_TRUE(inOrder(all, rows));
    EXPECT_FALSE(text.contains("Other"));
    EXPECT_TRUE(text.contains("Page 1 of 1"));
}

TEST_F(ReportPdfTest, PeriodRunsFromTheEarliestToTheLatestReadingWhateverTheOrder) {
    readings("bp_record", "Miller", 30);
    store::Dataset& list = personReadings("Miller");
    const QStringList chronological = rowTexts(list, {"checktime"});
    list.setSort("systolic DESC");
    const auto document = report("analysis_table.rav", list);

    EXPECT_NE(rowTexts(list, {"checktime"}).first(), chronological.first());
    EXPECT_EQ(document->period(), chronological.first() + " – " + chronological.last());
    const output::ReportDocument given(dir.file("x"), document->design(), list, {},
                                       {"Someone", "all year"});
    EXPECT_EQ(given.period(), "all year");
    EXPECT_EQ(given.person(), "Someone");
}

TEST_F(ReportPdfTest, LongReportNumbersItsPagesAndRepeatsTheHeaderOnEachPage) {
    readings("bp_record", "Miller", 120);
    store::Dataset& list = personReadings("Miller");
    const auto document = report("analysis_table.rav", list);
    const int pages = document->pageCount();
    ASSERT_GE(pages, 3);
    const QString text = pdfText(*document);

    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(text.contains(QString("Page %1 of %2").arg(page).arg(pages))) << page;
    EXPECT_EQ(text.count("Person: Miller"), pages);
    EXPECT_EQ(text.count("Systolic (mmHg)"), pages + 1); // and once in the summary
    EXPECT_TRUE(inOrder(lines(text), rowTexts(list, readingFields)));
    EXPECT_TRUE(text.contains("Number of readings: 120"));
}

TEST_F(ReportPdfTest, SummaryGivesLowestMeanAndHighestOfEachMeasure) {
    for (const char* values : {"120,80,60,'2024-01-01 08:00:00'", "141,91,71,'2024-01-02 08:00:00'",
                               "130,85,64,'2024-01-03 08:00:00'"})
        dm1.adocom1.execute(QString("insert into bp_record(personal,systolic,diastolic,heart_beat,"
                                    "checktime) values ('Miller',%1)")
                                .arg(values));
    const QStringList all = lines(pdfText(*report("analysis_table.rav", personReadings("Miller"))));

    EXPECT_TRUE(all.contains("Number of readings: 3"));
    EXPECT_TRUE(all.contains("Lowest 120 80 60"));
    EXPECT_TRUE(all.contains("Mean 130 85 65"));
    EXPECT_TRUE(all.contains("Highest 141 91 71"));
}

// 628 / 8 is 78.5: the mean rounds it to even as the analysis' averages do.
TEST_F(ReportPdfTest, MeanRoundsHalvesToEvenLikeTheAverages) {
    const int systolic[] = {70, 72, 74, 76, 80, 82, 86, 88};
    for (int i = 0; i < 8; ++i)
        dm1.adocom1.execute(QString("insert into bp_record(personal,systolic,diastolic,heart_beat,"
                                    "checktime) values ('Miller',%1,60,%2,'2024-01-%3 08:00:00')")
                                .arg(systolic[i])
                                .arg(i < 4 ? 60 : 65)
                                .arg(i + 10));
    const QStringList all = lines(pdfText(*report("analysis_table.rav", personReadings("Miller"))));

    EXPECT_TRUE(all.contains("Mean 78 60 62"));
    store::Dataset& averages = dm1.adoquery;
    averages.setCommandText("select round(avg(systolic),0) as s,round(avg(heart_beat),0) as p "
                            "from bp_record where personal='Miller'");
    averages.open();
    EXPECT_EQ(averages.asString("s") + " " + averages.asString("p"), "78 62");
}

TEST_F(ReportPdfTest, AveragesReportListsThePeriodsInOrder) {
    readings("bp_record", "Miller", 30);
    store::Dataset& list = dm1.ado_analysis;
    list.setCommandText("select delselection,personal,round(avg(systolic),0) as systolic,"
                        "round(avg(diastolic),0) as diastolic,round(avg(heart_beat),0) as "
                        "heart_beat,DatePart('ww',checktime) as checktime from bp_record where "
                        "personal='Miller' group by delselection,personal,DatePart('ww',checktime) "
                        "order by personal,DatePart('ww',checktime),delselection");
    list.open();
    const QStringList all = lines(pdfText(*report("analysis_table_fx.rav", list)));

    EXPECT_TRUE(all.contains("Blood pressure averages"));
    EXPECT_TRUE(all.contains("Period Systolic (mmHg) Diastolic (mmHg) Pulse (/min)"));
    EXPECT_TRUE(all.contains("Person: Miller"));
    const QStringList rows = rowTexts(list, readingFields);
    ASSERT_GE(rows.size(), 5);
    EXPECT_TRUE(all.contains(QString("Number of periods: %1").arg(rows.size())));
    EXPECT_TRUE(inOrder(all, rows));
}

TEST_F(ReportPdfTest, PersonsReportListsTheRegister) {
    dm1.adocom1.execute(
        "insert into bp_userinfo(id,lastname,firstname,birthday,gender,height,weight,address1,"
        "zip,city,phone) values (1,'Miller','Anna','1958-03-14 00:00:00','Female','168','64',"
        "'12 Park Road','M5V','Toronto','416 555'),(2,'Schmidt','Clara','1971-07-23 00:00:00',"
        "'Female','172','70','Lindenweg 7','53111','Bonn','0228 555')");
    dm1.ado_user.close();
    dm1.ado_user.open();
    const QStringList all = lines(pdfText(*report("userinfo.rav", dm1.ado_user)));

    EXPECT_TRUE(all.contains("Register of persons"));
    EXPECT_TRUE(all.contains("ID Last name First name Date of birth Gender Height Weight Address "
                             "Zip City Phone"));
    EXPECT_TRUE(inOrder(
        all, rowTexts(dm1.ado_user, {"id", "lastname", "firstname", "birthday", "gender", "height",
                                     "weight", "address1", "zip", "city", "phone"})));
}

TEST_F(ReportPdfTest, MemoryReportListsTheDownloadedReadings) {
    readings("bp_record_user2", "Baker", 4);
    dm1.ado_rc2.close();
    dm1.ado_rc2.open();
    const QStringList all = lines(pdfText(*report("bprecv.rav", dm1.ado_rc2)));

    EXPECT_TRUE(all.contains("Readings from the monitor"));
    EXPECT_TRUE(all.contains("Person: Baker"));
    EXPECT_TRUE(inOrder(all, rowTexts(dm1.ado_rc2, {"idno", "checktime_mmdd", "checktime_hhmm",
                                                    "systolic", "diastolic", "heart_beat"})));
}

TEST_F(ReportPdfTest, GermanUserGetsGermanTitlesAndMarkers) {
    chooseLanguage("german");
    readings("bp_record", "Müller", 3);
    dm1.adocom1.execute("update bp_record set measurement_status=5 where rowid=2");
    const QString text = pdfText(*report("analysis_table.rav", personReadings("Müller")));

    EXPECT_TRUE(text.contains("Blutdruck-Messwerte"));
    const QStringList all = lines(text);
    EXPECT_TRUE(
        all.contains("Datum und Uhrzeit Systolisch (mmHg) Diastolisch (mmHg) Puls (/min) Status"));
    EXPECT_EQ(all.filter(QRegularExpression(" Körperbewegung, unregelmäßiger Puls$")).size(), 1);
    EXPECT_TRUE(text.contains("Person: Müller"));
    EXPECT_TRUE(text.contains("Seite 1 von 1"));
    EXPECT_TRUE(text.contains("Anzahl der Messungen: 3"));
}

TEST_F(ReportPdfTest, EmptyListGivesOnePageWithoutRows) {
    const auto document = report("analysis_table.rav", personReadings("Nobody"));
    EXPECT_EQ(document->pageCount(), 1);
    const QString text = pdfText(*document);
    EXPECT_TRUE(text.contains("Number of readings: 0"));
    EXPECT_TRUE(text.contains("Page 1 of 1"));
}

} // namespace
