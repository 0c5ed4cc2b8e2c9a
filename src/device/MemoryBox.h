#pragma once

#include "device/engine/DownloadMemory.h"
#include "device/engine/ProgressGauge.h"

#include <QGroupBox>

class QComboBox;

namespace lang {
class LanguageStore;
}
namespace store {
class Dataset;
}
namespace ui {
class DataGrid;
class Gauge;
} // namespace ui

namespace device {

// The download engine's view of a gauge on the page.
class GaugeLink : public ProgressGauge {
public:
    explicit GaugeLink(ui::Gauge& gauge) : gauge_(gauge) {}
    int maxValue() const override;
    void setMaxValue(int maxValue) override;
    int progress() const override;
    void setProgress(int progress) override;

private:
    ui::Gauge& gauge_;
};

// One memory of the monitor: the person list and the gauge in a panel on the left, the
// downloaded readings in the grid beside it, and the person it was last saved under.
// Memory 1 is GroupBox6 with DBGridEh2, comb_user1 and Gauge1 on ado_rc1; memory 2 is
// GroupBox5 with DBGridEh3, comb_user2 and Gauge2 on ado_rc2.
class MemoryBox : public QGroupBox {
    Q_OBJECT
public:
    // Whether a save stamps the person's name each time, or only when it copies.
    enum class NameStamp { WhenCopying, EverySave };

    // The grid names each reading's status markers in the language of the moment.
    MemoryBox(int memory, store::Dataset& rows, NameStamp stamp,
              const lang::LanguageStore& language, QWidget* parent = nullptr);

    int memory() const { return memory_; }
    NameStamp nameStamp() const { return stamp_; }
    store::Dataset& rows() const { return rows_; }
    // The device-memory table: bp_record_user1 or bp_record_user2.
    QString table() const;
    QComboBox* personList() const { return personList_; }
    ui::Gauge* gauge() const { return gauge_; }
    ui::DataGrid* grid() const { return grid_; }

    // What a download fills: the rows, the gauge and the person chosen in the list.
    DownloadMemory downloadTarget();

    // The person under whom the memory was last saved since the last download.
    const QString& lastUser() const { return lastUser_; }
    void setLastUser(const QString& person) { lastUser_ = person; }

    // The grid's title click (DBGridEh2TitleBtnClick, DBGridEh3TitleBtnClick), after the
    // grid has moved the column's marker: ascending when it points down.
    void sortByTitle(int column, const QString& fieldName);

private:
    int memory_;
    store::Dataset& rows_;
    NameStamp stamp_;
    QComboBox* personList_;
    ui::Gauge* gauge_;
    GaugeLink gaugeLink_;
    ui::DataGrid* grid_;
    QString lastUser_;
};

} // namespace device
