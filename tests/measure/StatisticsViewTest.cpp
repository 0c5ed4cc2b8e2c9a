#include "measure/StatisticsView.h"

#include "DataPageFixture.h"
#include "app/Settings.h"
#include "measure/CategoryColumn.h"
#include "support/QtPrinters.h"

#include <QLabel>
#include <QTableWidget>

namespace {

using readings::Category;
using readings::Scheme;

// Three readings of a hand-worked set: means 130/80/65, each deviation 10, 10 and 5.
class StatisticsView : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        persons({"O'Brien", "Smith"});
        reading("O'Brien", 120, 80, 70, "2011-03-01 08:00:00"); // morning
        reading("O'Brien", 140, 70, 60, "2011-03-02 19:00:00"); // evening
        reading("O'Brien", 130, 90, 65, "2011-03-03 12:00:00");
        reading("Smith", 190, 120, 90, "2011-03-02 09:00:00");
        window->m_dataClick();
        page->setScheme(Scheme::Esh2023);
    }

    // The view's rows, label and value joined by "|".
    QStringList figures() const {
        const QTableWidget* table = page->statisticsView()->table();
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row)
            rows << table->item(row, 0)->text() + '|' + table->item(row, 1)->text();
        return rows;
    }

    QVariant categoryCell(int row, int role) const {
        const int column = page->grid()->columnIndexOfField("category");
        return page->grid()->model()->index(row, column).data(role);
    }
};

TEST_F(StatisticsView, ShowsTheFiguresOfThePersonInBothLanguages) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    chooseLanguage("english");
    chooseView(2);
    EXPECT_EQ(figures(),
              (QStringList{
                  "Readings|3", "Systolic (mmHg)|mean 130.0, SD 10.0, lowest 120, highest 140",
                  "Diastolic (mmHg)|mean 80.0, SD 10.0, lowest 70, highest 90",
                  "Pulse (/min)|mean 65.0, SD 5.0, lowest 60, highest 70",
                  "Mean pulse pressure (mmHg)|50.0", "Category of the mean|High normal",
                  "Morning mean (04:00–11:59)|120.0/80.0 mmHg (1 readings), Normal",
                  "Evening mean (18:00–23:59)|140.0/70.0 mmHg (1 readings), Isolated "
                  "systolic hypertension",
                  "Home mean (last 7 days with readings, the first left out)|not enough "
                  "readings",
                  "Optimal|0 readings (0 %)", "Normal|1 readings (33 %)",
                  "High normal|0 readings (0 %)", "Grade 1 hypertension|1 readings (33 %)",
                  "Grade 2 hypertension|0 readings (0 %)", "Grade 3 hypertension|0 readings (0 %)",
                  "Isolated systolic hypertension|1 readings (33 %)"}));
    EXPECT_EQ(page->statisticsView()->note()->text(), "A category is no diagnosis.");

    chooseLanguage("german");
    page->setScheme(Scheme::AccAha2017);
    const QStringList german = figures();
    ASSERT_EQ(german.size(), 14);
    EXPECT_EQ(german[1], "Systolisch (mmHg)|Mittel 130,0, SA 10,0, niedrigster 120, höchster 140");
    EXPECT_EQ(german[5], "Kategorie des Mittels|Hypertonie Stadium 1");
    EXPECT_EQ(german[8], "Heimmittel (letzte 7 Tage mit Messwerten, ohne den ersten)|zu wenige "
                         "Messwerte");
    EXPECT_EQ(german[13], "Hypertensive Krise|0 Messwerte (0 %)");
    EXPECT_EQ(page->statisticsView()->note()->text(), "Eine Kategorie ist keine Diagnose.");
}

// The figures follow the list: another person, an analysed range, a range without readings.
TEST_F(StatisticsView, FollowsThePersonAndTheAnalysedRange) {
    chooseLanguage("english");
    chooseView(2);
    choosePerson(1);
    EXPECT_EQ(figures().value(0), "Readings|1");
    EXPECT_EQ(figures().value(5), "Category of the mean|Grade 3 hypertension");

    choosePerson(0);
    confirmAnalysis(measure::AnalysisMode::Week, {2011, 3, 2}, {2011, 3, 3});
    page->img_analyClick();
    EXPECT_EQ(figures().value(0), "Readings|2");
    EXPECT_EQ(figures().value(6), "Morning mean (04:00–11:59)|no readings");

    confirmAnalysis(measure::AnalysisMode::Time, {2012, 1, 1}, {2012, 1, 31});
    page->img_analyClick();
    EXPECT_EQ(figures(), QStringList{"Readings|0"});
    EXPECT_TRUE(messages.shown.isEmpty());
}

// The scheme box changes the figures and the list's column and is kept in the settings.
TEST_F(StatisticsView, SchemeBoxWritesTheSettingAndRenamesTheCategories) {
    chooseLanguage("english");
    chooseView(2);
    QComboBox* box = page->statisticsView()->schemeBox();
    EXPECT_EQ(box->currentIndex(), int(Scheme::Esh2023));
    box->setCurrentIndex(int(Scheme::AccAha2017));
    emit box->activated(int(Scheme::AccAha2017));
    EXPECT_EQ(page->scheme(), Scheme::AccAha2017);
    EXPECT_EQ(app::ReadScheme(dir.path(), QLocale(QLocale::German)), Scheme::AccAha2017);
    EXPECT_EQ(figures().value(5), "Category of the mean|Stage 1 hypertension");
    EXPECT_EQ(categoryCell(0, Qt::DisplayRole).toString(), "Stage 1 hypertension"); // 120/80
}

// Each row's category and colour, also for rows of averages.
TEST_F(StatisticsView, ListShowsEachRowsCategoryOnItsColour) {
    chooseLanguage("english");
    EXPECT_EQ(categoryCell(0, Qt::DisplayRole).toString(), "Normal");
    EXPECT_EQ(categoryCell(1, Qt::DisplayRole).toString(), "Isolated systolic hypertension");
    EXPECT_EQ(categoryCell(0, Qt::BackgroundRole).value<QColor>(),
              measure::categoryColour(Category::EshNormal));
    EXPECT_EQ(categoryCell(1, Qt::BackgroundRole).value<QColor>(),
              measure::categoryColour(Category::EshIsolatedSystolic));
    EXPECT_NE(measure::categoryColour(Category::EshNormal),
              measure::categoryColour(Category::EshIsolatedSystolic));
    EXPECT_FALSE(page->grid()->model()->index(0, 2).data(Qt::BackgroundRole).isValid());

    chooseLanguage("german");
    confirmAnalysis(measure::AnalysisMode::Month, {2011, 3, 1}, {2011, 3, 31});
    page->img_analyClick();
    EXPECT_EQ(categoryCell(0, Qt::DisplayRole).toString(), "Hoch normal"); // 130/80
    EXPECT_EQ(page->grid()->shownRow(0).at(page->grid()->columnIndexOfField("category")),
              "Hoch normal");
}

} // namespace
