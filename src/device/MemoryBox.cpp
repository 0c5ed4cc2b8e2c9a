#include "device/MemoryBox.h"

#include "lang/FormTextDump.h"
#include "lang/StatusMarkers.h"
#include "store/Dataset.h"
#include "store/DateFormat.h"
#include "ui/DataGrid.h"
#include "ui/Gauge.h"
#include "ui/Panel.h"
#include "ui/ReadingGridColumns.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace device {

namespace {

constexpr int kLeftPanelWidth = 170;

QVector<ui::DataGrid::Column> gridColumns(const lang::LanguageStore& language) {
    // field, shown, title button; titles and widths are the reading columns' own
    return ui::readingGridColumns(
        {{"IDNO", true, false},
         {"systolic"},
         {"diastolic"},
         {"heart_beat"},
         {"checktime_mmdd", true, true, 0,
          [shown = store::MonthDayFormat()](const QVariant& monthDay) {
              return shown(monthDay.toString());
          }},
         {"checktime_hhmm"},
         {"checktime", false},
         {"measurement_status", true, true, 0,
          [&language](const QVariant& status) { return lang::statusMarkers(language, status); }}});
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* shown = new QLabel(text, parent);
    shown->setObjectName(name);
    return shown;
}

} // namespace

int GaugeLink::maxValue() const {
    return gauge_.maxValue();
}

void GaugeLink::setMaxValue(int maxValue) {
    gauge_.setMaxValue(maxValue);
}

int GaugeLink::progress() const {
    return gauge_.progress();
}

void GaugeLink::setProgress(int progress) {
    gauge_.setProgress(progress);
}

MemoryBox::MemoryBox(int memory, store::Dataset& rows, NameStamp stamp,
                     const lang::LanguageStore& language, QWidget* parent)
    : QGroupBox(parent), memory_(memory), rows_(rows), stamp_(stamp), personList_(new QComboBox),
      gauge_(new ui::Gauge(QStringLiteral("Gauge%1").arg(memory))), gaugeLink_(*gauge_),
      grid_(new ui::DataGrid(QStringLiteral("DBGridEh%1").arg(memory + 1))) {
    setObjectName(memory == 1 ? "GroupBox6" : "GroupBox5");
    setTitle(QStringLiteral("User%1").arg(memory));

    auto* left = new ui::Panel(QStringLiteral("panel_user%1").arg(memory), this);
    left->setFixedWidth(kLeftPanelWidth);
    personList_->setObjectName(QStringLiteral("comb_user%1").arg(memory));
    personList_->setEditable(false);
    lang::markAsDataList(*personList_);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(label(QStringLiteral("lbl_username%1").arg(memory), "UserName", left));
    leftLayout->addWidget(personList_);
    leftLayout->addWidget(label(QStringLiteral("lbl_progress%1").arg(memory), "Progress", left));
    leftLayout->addWidget(gauge_);
    leftLayout->addStretch();

    grid_->setColumns(gridColumns(language));
    grid_->setTitleClickOrder(ui::DataGrid::TitleClickOrder::MarkerFirst);
    grid_->setDataset(&rows);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(left);
    layout->addWidget(grid_, 1);
}

DownloadMemory MemoryBox::downloadTarget() {
    return {&rows_, &gaugeLink_, personList_->currentText()};
}

QString MemoryBox::table() const {
    return QStringLiteral("bp_record_user%1").arg(memory_);
}

void MemoryBox::sortByTitle(int column, const QString& fieldName) {
    const bool ascending = grid_->sortMarker(column) == ui::DataGrid::SortMarker::Down;
    rows_.setSort(ascending ? fieldName : fieldName + QStringLiteral(" DESC"));
}

} // namespace device
