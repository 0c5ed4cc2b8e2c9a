#pragma once

#include "ui/DatasetTableModel.h"

#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <memory>

namespace ui {

// A table as shown, for export: the visible columns in display order, their titles, and
// each row's cell texts (see DatasetTableModel::cellText).
class ShownTable {
public:
    // A visible column as shown: title, the type of its field (text for a formatted
    // column) and its width in pixels.
    struct ShownColumn {
        QString title;
        store::FieldType type = store::FieldType::Unknown;
        int width = 0;
    };

    virtual ~ShownTable() = default;

    QStringList shownTitles() const;
    int shownRowCount() const { return tableModel().rowCount(); }
    QStringList shownRow(int row) const;
    QVector<ShownColumn> shownColumns() const;
    // The values behind a row's shown cells, as the dataset holds them.
    QVariantList shownValues(int row) const;
    // The Qt pattern in which a shown date/time cell is written (shown column index).
    QString shownDatePattern(int row, int shownColumn) const;

protected:
    virtual const DatasetTableModel& tableModel() const = 0;
    // Model column indexes of the visible columns, in display order.
    virtual QVector<int> shownIndexes() const = 0;
    virtual int shownWidth(int column) const = 0;
};

// The columns of a dataset as a grid would show them at their defined widths, without a
// window: for exports from the command line.
class DatasetTable : public ShownTable {
public:
    DatasetTable(store::Dataset& dataset, const QVector<GridColumn>& columns);
    ~DatasetTable() override;

    DatasetTableModel& model() { return *model_; }

protected:
    const DatasetTableModel& tableModel() const override { return *model_; }
    QVector<int> shownIndexes() const override;
    int shownWidth(int column) const override { return model_->columns()[column].width; }

private:
    std::unique_ptr<DatasetTableModel> model_;
};

} // namespace ui
