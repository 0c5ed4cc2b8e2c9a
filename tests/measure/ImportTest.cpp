#include "DataPageFixture.h"
#include "measure/TrendChart.h"

#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

using measure::ColumnMappingDialog;
using measure::ImportSummaryDialog;
using readings::DateOrder;
using readings::Field;

const QByteArray kHeader = "Date,Systolic,Diastolic\n";

// The Data page of Smith, the next import reading the file readings.csv of the test's
// directory; the summary's texts are kept.
class Import : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values (1,'Smith')");
        persons({"Smith"});
        choosePerson(0);
        measure::ImportSteps& steps = page->importSteps();
        steps.chooseFile = [this](QWidget*, const lang::LanguageStore&, const QString&) {
            return path;
        };
        steps.showSummary = [this](ImportSummaryDialog& dialog) {
            counts = dialog.counts()->text();
            firstRejected = dialog.firstRejected()->toPlainText();
            if (onSummary)
                onSummary(dialog);
        };
    }

    void write(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void clickImport() { QTest::mouseClick(page->btn_import(), Qt::LeftButton); }

    // systolic|moment of each stored reading.
    QStringList storedReadings() {
        return testkit::queryRows(dm1.ADOConnection1, "select systolic,checktime||'' from "
                                                      "bp_record order by checktime");
    }

    static QByteArray readBack(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    QString path = dir.file("readings.csv");
    QString counts;
    QString firstRejected;
    std::function<void(ImportSummaryDialog&)> onSummary;
};

TEST_F(Import, AGoodFileIsStoredAndTheListAndChartShowIt) {
    write(kHeader + "2024-03-05 07:45,120,80\n2024-03-06 07:45,125,82\n");
    clickImport();
    EXPECT_EQ(storedReadings(),
              (QStringList{"120|2024-03-05 07:45:00", "125|2024-03-06 07:45:00"}));
    EXPECT_EQ(shown().size(), 2);
    EXPECT_EQ(page->chart()->systolicLine()->count(), 2);
    EXPECT_EQ(counts, language.GetHintText("import_summary", {"2", "0", "0"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Import, ColumnsChosenInTheMappingDialog) {
    write("Day,High,Low,Beat\n2024-03-05 07:45,120,80,61\n");
    QStringList firstRow;
    bool okBeforeChoice = true;
    page->importSteps().mapColumns = [&](ColumnMappingDialog& dialog) {
        for (int column = 0; column < dialog.firstRows()->columnCount(); ++column)
            firstRow << dialog.firstRows()->item(0, column)->text();
        okBeforeChoice = dialog.canAccept();
        for (auto [field, column] : {std::pair{Field::DateTime, 0},
                                     {Field::Systolic, 1},
                                     {Field::Diastolic, 2},
                                     {Field::Pulse, 3}})
            dialog.fieldBox(field)->setCurrentIndex(column + 1);
        return dialog.canAccept();
    };
    clickImport();
    EXPECT_EQ(firstRow, (QStringList{"2024-03-05 07:45", "120", "80", "61"}));
    EXPECT_FALSE(okBeforeChoice);
    EXPECT_EQ(testkit::queryRows(dm1.ADOConnection1, "select systolic,diastolic,heart_beat "
                                                     "from bp_record"),
              QStringList{"120|80|61"});
}

TEST_F(Import, AnsweringTheDayMonthQuestion) {
    const struct {
        std::optional<DateOrder> answer;
        QStringList stored;
    } cases[]{
        {DateOrder::DayFirst, {"120|2024-05-03 00:00:00"}},
        {DateOrder::MonthFirst, {"120|2024-03-05 00:00:00"}},
        {std::nullopt, {}},
    };
    write(kHeader + "03/05/2024,120,80\n");
    for (const auto& c : cases) {
        dm1.adocom1.execute("delete from bp_record");
        int asked = 0;
        page->importSteps().chooseDateOrder = [&](QWidget*, const lang::LanguageStore&) {
            ++asked;
            return c.answer;
        };
        clickImport();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(storedReadings(), c.stored);
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

// Cancel in the mapping dialog, in the progress dialog, or in the file dialog: nothing
// is stored, and only a cancelled import says so.
TEST_F(Import, CancelStoresNothing) {
    write("Day,High,Low\n2024-03-05,120,80\n");
    page->importSteps().mapColumns = [](ColumnMappingDialog&) { return false; };
    clickImport();
    EXPECT_TRUE(messages.shown.isEmpty());

    write(kHeader + "2024-03-05,120,80\n");
    page->importSteps().whileImporting = [](QProgressDialog& progress) { progress.cancel(); };
    clickImport();
    EXPECT_EQ(messages.shown, QStringList{"inform:import_cancelled"});

    path.clear();
    clickImport();
    EXPECT_TRUE(storedReadings().isEmpty());
    EXPECT_TRUE(counts.isEmpty());
}

TEST_F(Import, FaultsReachTheUserByKey) {
    path = dir.file("missing.csv");
    clickImport();
    persons({""});
    clickImport();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[0].startsWith("fail:import_file_unreadable["));
    EXPECT_EQ(messages.shown[1], "inform:import_before_must_spec_user");
}

// The summary lists the first 20 rejected lines; the saved file holds them all, and an
// existing file is replaced only after a Yes.
TEST_F(Import, RejectedLinesAreSavedBesideTheFile) {
    QByteArray lines = kHeader;
    for (int i = 0; i < 25; ++i)
        lines += "2024-03-05,x" + QByteArray::number(i) + ",80\n";
    write(lines);
    const QString saved = dir.file("readings-rejected.txt");
    onSummary = [](ImportSummaryDialog& dialog) { dialog.saveButton()->click(); };
    clickImport();
    EXPECT_EQ(firstRejected.split('\n').size(), 20);
    const QString reason = language.GetHintText("import_systolic_unreadable");
    EXPECT_TRUE(firstRejected.startsWith(
        language.GetHintText("import_rejected_line", {"2", reason + " [x0]"})));
    const QByteArray all = readBack(saved);
    EXPECT_EQ(all.count('\n'), 25);
    EXPECT_TRUE(all.endsWith(
        language.GetHintText("import_rejected_line", {"26", reason + " [x24]"}).toUtf8() + "\n"));
    EXPECT_EQ(messages.shown, QStringList{"inform:import_rejected_saved"});

    const struct {
        bool replace;
        QByteArray after;
    } answers[]{{false, "mine\n"}, {true, all}};
    for (const auto& c : answers) {
        messages.shown.clear();
        QFile mine(saved);
        ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
        mine.write("mine\n");
        mine.close();
        messages.answers = {c.replace};
        clickImport();
        EXPECT_EQ(messages.shown.first(), "ask:export_replace_file");
        EXPECT_EQ(readBack(saved), c.after);
    }
}

} // namespace
