#pragma once

#include "store/Dataset.h"
#include "store/DatePattern.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QVector>
#include <functional>

namespace ui {

// Writes the value of a cell that is not null as the cell shows it.
using CellFormat = std::function<QString(const QVariant& value)>;

// A cell worked out from its whole row rather than read from one field.
struct RowCellLook {
    QString text;
    QColor background; // invalid: the grid's own
};
using RowCell = std::function<RowCellLook(const store::Dataset& rows, int row)>;

struct GridColumn {
    QString fieldName;
    QString title;
    int width = 64;
    bool visible = true;
    bool titleButton = false;
    CellFormat format = {}; // none: the field type's own text
    RowCell rowCell = {};   // set: the column shows this instead of a field
};

// The rows of a dataset under a fixed list of columns, each bound to a field by name.
// Read-only. Boolean fields are check states; the vertical header holds record numbers.
class DatasetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetTableModel(QObject* parent = nullptr);

    void setDataset(store::Dataset* dataset);
    store::Dataset* dataset() const { return dataset_; }

    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const { return columns_; }
    void setColumnTitle(int column, const QString& title);
    void setColumnFormat(int column, const CellFormat& format);
    // Stores the width only; the view owns the shown width.
    void setColumnWidth(int column, int width) { columns_[column].width = width; }

    // The text a cell shows, also in reports and exported files: the column's format
    // where it has one; booleans "True" or "False"; date/time in the locale's short date and time
    // format with a four-digit year, at midnight the date alone; empty for null values and unbound
    // columns. Sorting works on the stored values, so it stays chronological.
    QString cellText(int row, int column) const;
    // The value behind a cell as the dataset holds it; the text of a row cell; null for
    // other unbound columns.
    QVariant cellValue(int row, int column) const;
    // The type of the column's field; Unknown for unbound columns and expressions.
    store::FieldType fieldType(int column) const { return bindings_[column].type; }
    // The Qt pattern in which cellText writes a date/time cell.
    QString datePattern(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void reload();
    void detach();
    void bind();
    void rowChanged(int row);
    QDateTime cellMoment(int row, int column) const;
    const store::DatePattern& patternFor(const QDateTime& moment) const;

    struct Binding {
        int field = -1; // -1 when the dataset lacks the field
        store::FieldType type = store::FieldType::Unknown;
        bool boolean = false;
        bool dateTime = false;
    };

    QPointer<store::Dataset> dataset_;
    QVector<GridColumn> columns_;
    QVector<Binding> bindings_;
    store::DatePattern dateFormat_;
    store::DatePattern dateTimeFormat_;
    int rowCount_ = 0;
};

} // namespace ui
