#pragma once

#include <QGroupBox>

class QComboBox;

namespace store {
class Dataset;
}
namespace ui {
class DataGrid;
class Gauge;
} // namespace ui

namespace device {

// One memory of the monitor: the person list and the gauge in a panel on the left, the
// downloaded readings in the grid beside it. Memory 1 is GroupBox6 with DBGridEh2,
// comb_user1 and Gauge1 on ado_rc1; memory 2 is GroupBox5 with DBGridEh3, comb_user2 and
// Gauge2 on ado_rc2.
class MemoryBox : public QGroupBox {
    Q_OBJECT
public:
    MemoryBox(int memory, store::Dataset& rows, QWidget* parent = nullptr);

    int memory() const { return memory_; }
    store::Dataset& rows() const { return rows_; }
    // The device-memory table: bp_record_user1 or bp_record_user2.
    QString table() const;
    QComboBox* personList() const { return personList_; }
    ui::Gauge* gauge() const { return gauge_; }
    ui::DataGrid* grid() const { return grid_; }

    // After the grid has moved the column's marker: ascending when it points down.
    void sortByTitle(int column, const QString& fieldName);

private:
    int memory_;
    store::Dataset& rows_;
    QComboBox* personList_;
    ui::Gauge* gauge_;
    ui::DataGrid* grid_;
};

} // namespace device
