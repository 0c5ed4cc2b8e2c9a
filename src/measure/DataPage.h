#pragma once

#include "measure/AnalysisQuery.h"
#include "measure/PeriodLabel.h"
#include "measure/ReadingList.h"
#include "measure/ReadingsImport.h"
#include "measure/Tfrm_analysis.h"
#include "output/GridExport.h"
#include "output/ShowReport.h"
#include "readings/Category.h"
#include "tools/Tfrm_sort.h"
#include "tools/Tfrmfind.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStackedWidget;

namespace lang {
struct WindowContext;
}
namespace store {
class Dataset;
}
namespace ui {
class DataGrid;
class ImageButton;
class Toolbar;
} // namespace ui

namespace measure {

class ReadingActions;
class StatisticsView;
class TrendChart;

// Page "Analysis_Table" of the main window's page stack: a person's readings from
// bp_record in the list dataset ado_analysis, shown as the table DBGridEh1 or as the
// trend chart or as statistics, with the analysis by range and period and the deletions.
class DataPage : public QWidget {
    Q_OBJECT
public:
    DataPage(lang::WindowContext& context, QWidget* parent = nullptr);
    ui::Toolbar* toolbar() const { return Panel15; }
    QStackedWidget* notebook() const { return Notebook2; }
    QComboBox* comb_user() const { return comb_user_; }
    QComboBox* viewBox() const { return ComboBox3; }
    ui::DataGrid* grid() const { return DBGridEh1; }
    TrendChart* chart() const { return chart_; }
    StatisticsView* statisticsView() const { return statistics_; }

    // The scheme of the categories in the grid and the statistics; a choice on the page
    // goes to the writer.
    void setScheme(readings::Scheme scheme);
    readings::Scheme scheme() const { return scheme_; }
    void setSchemeWriter(std::function<void(readings::Scheme)> write) {
        writeScheme_ = std::move(write);
    }

    // True while the list holds stored readings, false while it holds averages.
    bool allowDelete() const { return FallowDel; }

    // The page's own steps when the Data button shows it: table view of the first
    // person's complete list.
    void enterPage();

    void comb_userChange();
    void ComboBox3Change();
    void DBGridEh1CellMouseClick(const QString& fieldName);
    void DBGridEh1TitleBtnClick(int column, const QString& fieldName);
    void img_analyClick();
    void img_delete_selectionClick();
    void img_delete_allClick();
    // Exports the list; it must be open.
    void img_save_asClick();
    output::GridExport& gridExport() { return gridExport_; }
    // Fills the chart and, while shown, the statistics from the list's person and range.
    void FillChart();
    // The list as a report: analysis_table.rav for single readings, else
    // analysis_table_fx.rav; beside the statistics the summary of the stored readings
    // (summary.rav).
    void img_preview_1Click();
    void img_print_1Click();
    output::ReportShow& reports() { return reports_; }
    // The sort dialog on the list's grid.
    void img_sortClick();
    // The find dialog on the grid the shell hands over; nothing without one.
    void img_findClick();
    void setFindGrid(ui::DataGrid* grid) { findGrid_ = grid; }
    // Imports a readings file for the chosen person, then shows the person's readings.
    void btn_importClick();
    QPushButton* btn_import() const { return btn_import_; }
    ImportSteps& importSteps() { return importSteps_; }

    // The system's short date format by default.
    void setShortDateFormat(const ShortDateFormat& dates) { dates_ = dates; }
    const ShortDateFormat& shortDateFormat() const { return dates_; }
    ReadingActions* readingActions() const { return readingActions_; }
    // Modal by default.
    void setAnalysisDialogRunner(AnalysisDialogRunner run) { runAnalysisDialog_ = std::move(run); }
    void setSortDialogRunner(tools::SortRunner run) { runSortDialog_ = std::move(run); }
    void setFindDialogRunner(tools::FindRunner run) { runFindDialog_ = std::move(run); }

private:
    void buildToolbar();
    void connectReportImages();
    void showReport(const QString& showType, const QString& notOpenKey);
    void showSummary(const QString& showType);
    QWidget* buildTablePage();
    void showStatistics();
    ui::ImageButton* addImage(const QString& name, bool shown);
    void openList(const QString& sql);
    void showCheckTimeAs(AnalysisMode mode);
    const PeriodWords& periodWords() const;
    void rememberAnalysis(const QString& mode, const QString& startText, const QString& endText);
    void deleteMarkedRows(store::Dataset& list);
    store::Dataset& list() const;
    // Runs a handler's steps; a database error reaches the user as its own text.
    void guarded(const std::function<void()>& steps);

    lang::WindowContext& context_;
    ui::Toolbar* Panel15;
    QLabel* Label1;
    QComboBox* comb_user_;
    QLabel* Label35;
    QComboBox* ComboBox3;
    QStackedWidget* Notebook2;
    ui::DataGrid* DBGridEh1;
    QDateEdit* da1;
    QDateEdit* da2;
    TrendChart* chart_;
    StatisticsView* statistics_;
    QPushButton* btn_import_;
    QList<ui::ImageButton*> tableOnlyImages_;
    ui::ImageButton* previewImage_ = nullptr; // with the table and the statistics

    bool FallowDel = false;
    ReadingRange listRange_; // of the stored readings the list shows
    readings::Scheme scheme_ = readings::Scheme::Esh2023;
    std::function<void(readings::Scheme)> writeScheme_;
    QString analysisMode_;        // the last mode key; empty until the first analysis
    ui::CellFormat periodFormat_; // of averages; none for stored readings
    mutable QString wordsLanguage_;
    mutable PeriodWords words_;
    ShortDateFormat dates_ = ShortDateFormat::system();
    AnalysisDialogRunner runAnalysisDialog_ = runModally;
    tools::SortRunner runSortDialog_ = tools::runSortModally;
    tools::FindRunner runFindDialog_ = tools::runFindModally;
    ui::DataGrid* findGrid_ = nullptr;
    output::GridExport gridExport_;
    output::ReportShow reports_{context_};
    ImportSteps importSteps_;
    ReadingActions* readingActions_;
};

} // namespace measure
