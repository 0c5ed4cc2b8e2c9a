#include "measure/DataPage.h"

#include "lang/FormTextDump.h"
#include "lang/LanguageLocale.h"
#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/CategoryColumn.h"
#include "measure/ReadingActions.h"
#include "measure/StatisticsView.h"
#include "measure/TrendChart.h"
#include "readings/ReadingRange.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"
#include "ui/DataGrid.h"
#include "ui/ImageButton.h"
#include "ui/Notebook.h"
#include "ui/Toolbar.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace measure {

namespace {

const QString markField = QStringLiteral("delselection");

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QComboBox* makeList(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMinimumContentsLength(12);
    return box;
}

QDateEdit* makeHiddenPicker(const QString& name, const QDate& date, QWidget* parent) {
    auto* picker = new QDateEdit(date, parent);
    picker->setObjectName(name);
    picker->hide();
    return picker;
}

} // namespace

DataPage::DataPage(lang::WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), Panel15(new ui::Toolbar("Panel15", "Image10", this)),
      Label1(makeLabel("Label1", "USER", Panel15)), comb_user_(makeList("comb_user", Panel15)),
      Label35(makeLabel("Label35", "Analyse", Panel15)), ComboBox3(makeList("ComboBox3", Panel15)),
      Notebook2(new QStackedWidget(this)), DBGridEh1(new ui::DataGrid("DBGridEh1")), da1(nullptr),
      da2(nullptr), chart_(new TrendChart), statistics_(new StatisticsView),
      btn_import_(new QPushButton("Import", Panel15)),
      gridExport_(context.messages, context.language, context.files, this) {
    setObjectName("Analysis_Table");
    ComboBox3->addItems({"Table", "Line", "Statistics"});
    setScheme(scheme_);
    buildToolbar();
    connectReportImages();
    readingActions_ = new ReadingActions(context_, *this);

    Notebook2->setObjectName("Notebook2");
    Notebook2->addWidget(buildTablePage());
    auto* chartPage = new QWidget;
    chartPage->setObjectName("User");
    auto* chartLayout = new QVBoxLayout(chartPage);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(chart_);
    Notebook2->addWidget(chartPage);
    Notebook2->addWidget(statistics_);
    connect(statistics_, &StatisticsView::schemeChosen, this, [this](readings::Scheme scheme) {
        setScheme(scheme);
        if (writeScheme_)
            writeScheme_(scheme);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel15);
    layout->addWidget(Notebook2, 1);

    lang::markAsDataList(*comb_user_);
    connect(comb_user_, &QComboBox::activated, this, &DataPage::comb_userChange);
    connect(ComboBox3, &QComboBox::activated, this, &DataPage::ComboBox3Change);
    connect(DBGridEh1, &ui::DataGrid::titleBtnClick, this, &DataPage::DBGridEh1TitleBtnClick);
    connect(DBGridEh1, &ui::DataGrid::cellClick, this,
            [this](int, const QString& fieldName) { DBGridEh1CellMouseClick(fieldName); });
}

void DataPage::buildToolbar() {
    Panel15->addWidget(Label1);
    Panel15->addWidget(comb_user_);
    Panel15->addWidget(Label35);
    Panel15->addWidget(ComboBox3);
    // A list is named by its label, not by the item it shows.
    Label1->setBuddy(comb_user_);
    Label35->setBuddy(ComboBox3);
    connect(addImage("img_analy", true), &ui::ImageButton::clicked, this,
            &DataPage::img_analyClick);
    ui::ImageButton* deleteSelection = addImage("img_delete_selection", true);
    connect(deleteSelection, &ui::ImageButton::clicked, this, &DataPage::img_delete_selectionClick);
    ui::ImageButton* deleteAll = addImage("img_delete_all", true);
    connect(deleteAll, &ui::ImageButton::clicked, this, &DataPage::img_delete_allClick);
    ui::ImageButton* saveAs = addImage("img_save_as", true);
    connect(saveAs, &ui::ImageButton::clicked, this, &DataPage::img_save_asClick);
    tableOnlyImages_ = {deleteSelection, deleteAll, saveAs};
    previewImage_ = addImage("img_preview_1", true);
    connect(addImage("img_sort", false), &ui::ImageButton::clicked, this, &DataPage::img_sortClick);
    connect(addImage("img_find", false), &ui::ImageButton::clicked, this, &DataPage::img_findClick);
    for (const char* name : {"img_print_1", "img_help"})
        addImage(name, false);
    btn_import_->setObjectName("btn_import");
    // May narrow in a small window rather than widen the whole window.
    btn_import_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    btn_import_->setMinimumWidth(btn_import_->fontMetrics().averageCharWidth() * 3);
    Panel15->addWidget(btn_import_);
    connect(btn_import_, &QPushButton::clicked, this, &DataPage::btn_importClick);
}

ui::ImageButton* DataPage::addImage(const QString& name, bool shown) {
    ui::ImageButton* image = Panel15->addImage(name);
    image->setVisible(shown);
    image->setCursor(Qt::PointingHandCursor);
    ui::addPressedLook(*image, context_.pictures);
    return image;
}

// The grid, and the hidden pickers that remember the analysis range.
QWidget* DataPage::buildTablePage() {
    auto* page = new QWidget;
    page->setObjectName("Home");
    DBGridEh1->setParent(page);
    DBGridEh1->setColumns(readingListColumns([this] { return scheme_; }, context_.language));
    DBGridEh1->setTitleClickOrder(ui::DataGrid::TitleClickOrder::HandlerFirst);
    DBGridEh1->setDataset(&list());
    const QDate today = QDate::currentDate();
    da1 = makeHiddenPicker("da1", today.addDays(-7), page);
    da2 = makeHiddenPicker("da2", today, page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DBGridEh1);
    return page;
}

store::Dataset& DataPage::list() const {
    return context_.dm.ado_analysis;
}

void DataPage::guarded(const std::function<void()>& steps) {
    try {
        steps();
    } catch (const store::DatabaseError& error) {
        context_.messages.showError(error.message());
    }
}

void DataPage::enterPage() {
    ComboBox3->setCurrentIndex(0);
    comb_user_->setCurrentIndex(0);
    ComboBox3Change();
    comb_userChange();
}

void DataPage::openList(const QString& sql) {
    store::Dataset& rows = list();
    rows.close();
    rows.setCommandText(sql);
    rows.setParameter("a1", comb_user_->currentText());
    rows.open();
}

// The list's checktime: the moment of a stored reading, or the period of averages.
void DataPage::showCheckTimeAs(AnalysisMode mode) {
    periodFormat_ = nullptr;
    if (mode != AnalysisMode::Time)
        periodFormat_ = [this, mode](const QVariant& value) {
            return periodLabel(mode, value, periodWords());
        };
    DBGridEh1->setColumnFormat(DBGridEh1->columnIndexOfField(QStringLiteral("checktime")),
                               periodFormat_);
}

// Read again when the language has changed.
const PeriodWords& DataPage::periodWords() const {
    const lang::LanguageStore& language = context_.language;
    if (wordsLanguage_ != language.languageColumn()) {
        wordsLanguage_ = language.languageColumn();
        words_.week = language.GetHintText(QStringLiteral("period_week"));
        if (words_.week.isEmpty()) // a database from before the text
            words_.week = QStringLiteral("%1, %2");
        words_.language = lang::localeOfLanguage(language.currentLanguage());
    }
    return words_;
}

void DataPage::comb_userChange() {
    guarded([this] {
        showCheckTimeAs(AnalysisMode::Time);
        listRange_ = {};
        openList(personQuery());
        FillChart();
        if (ComboBox3->currentIndex() < 0)
            ComboBox3->setCurrentIndex(0);
        ComboBox3Change();
        FallowDel = true;
    });
}

void DataPage::ComboBox3Change() {
    const int view = ComboBox3->currentIndex();
    if (view < 0)
        return;
    static const char* const pages[] = {"home", "user", "statistics"};
    ui::showPage(*Notebook2, pages[qMin(view, 2)]);
    for (ui::ImageButton* image : tableOnlyImages_)
        image->setVisible(view == 0);
    previewImage_->setVisible(view != 1);
    showStatistics();
}

void DataPage::setScheme(readings::Scheme scheme) {
    scheme_ = scheme;
    statistics_->setScheme(scheme);
    const readings::Threshold threshold = readings::hypertensionThreshold(scheme);
    chart_->setThresholds(threshold.systolic, threshold.diastolic);
    DBGridEh1->viewport()->update();
    showStatistics();
}

// Only while shown: the figures read every stored reading of the range.
void DataPage::showStatistics() {
    if (Notebook2->currentWidget() != statistics_)
        return;
    const QDate first = listRange_.first(), last = listRange_.last();
    guarded([&] {
        const readings::Statistics figures = readings::computeStatistics(
            readings::readingsInRange(context_.dm.ADOConnection1, comb_user_->currentText(), first,
                                      last),
            scheme_);
        statistics_->showLines(output::statisticsLines(figures, scheme_, context_.language),
                               context_.language.GetHintText(QStringLiteral("stats_no_diagnosis")));
    });
}

void DataPage::FillChart() {
    chart_->FillChart(list(), periodFormat_);
    showStatistics();
}

// The mark is stored data: it is written to the reading's row at once.
void DataPage::DBGridEh1CellMouseClick(const QString& fieldName) {
    store::Dataset& rows = list();
    if (!FallowDel || !rows.isActive() || rows.isEmpty() ||
        fieldName.compare(markField, Qt::CaseInsensitive) != 0)
        return;
    guarded([&rows] {
        try {
            rows.edit();
            rows.setValue(markField, !rows.asBoolean(markField));
            rows.post();
        } catch (const store::DatabaseError&) {
            rows.cancel();
            throw;
        }
    });
}

// Runs before the grid moves the column's marker: a down marker turns into up.
void DataPage::DBGridEh1TitleBtnClick(int column, const QString& fieldName) {
    const bool ascending = DBGridEh1->sortMarker(column) == ui::DataGrid::SortMarker::Down;
    guarded([&] { list().setSort(ascending ? fieldName : fieldName + " DESC"); });
}

void DataPage::img_sortClick() {
    guarded([this] { tools::ShowSortForm(context_, *DBGridEh1, runSortDialog_); });
}

void DataPage::img_findClick() {
    if (findGrid_)
        guarded([this] { tools::ShowFindForm(context_, *findGrid_, window(), runFindDialog_); });
}

} // namespace measure
