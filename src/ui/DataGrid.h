#pragma once

#include "ui/DatasetTableModel.h"
#include "ui/ShownTable.h"

#include <QString>
#include <QStringList>
#include <QTableView>
#include <QVector>

class QSortFilterProxyModel;

namespace ui {

class SortMarkerHeader;

// A read-only grid bound to a dataset: columns by field name, whole-row selection,
// record numbers in the indicator column, title buttons with a sort marker. The grid
// follows the dataset's cursor and moves it with the selected row. While the dataset's
// controls are disabled it neither reads nor paints; enabling them refreshes it once.
class DataGrid : public QTableView, public ShownTable {
    Q_OBJECT
public:
    using Column = GridColumn;

    enum class SortMarker { None, Down, Up };
    // Whether titleBtnClick comes before or after the clicked column's marker moves.
    enum class TitleClickOrder { MarkerFirst, HandlerFirst };

    explicit DataGrid(const QString& objectName, QWidget* parent = nullptr);

    void setDataset(store::Dataset* dataset);
    store::Dataset* dataset() const { return model_->dataset(); }

    // Replaces all columns; markers are cleared and the display order restored. Hidden
    // columns stay in the definitions but not in the view, so assistive tools never see them.
    void setColumns(const QVector<Column>& columns);
    int columnCount() const { return int(model_->columns().size()); }
    // The definition with the current title and the last width shown.
    Column column(int index) const { return model_->columns().value(index); }
    // The first column whose field name equals fieldName without regard to case; -1 if none.
    int columnIndexOfField(const QString& fieldName) const;
    // The view's column that shows a definition; -1 for a hidden one.
    int viewColumn(int column) const;
    void setColumnTitle(int index, const QString& title);
    void setColumnWidthPx(int index, int width);
    // How the cells of a column show their values; an empty format restores the
    // type's own text. Exports show the same text.
    void setColumnFormat(int index, const CellFormat& format);

    void setTitleClickOrder(TitleClickOrder order) { order_ = order; }
    // A title click on a title-button column moves its marker none -> down -> up -> down
    // and clears the markers of all other columns. Title-click handlers sort ascending when
    // the marker they read is down. When the dataset's sort changes otherwise, the marker
    // becomes the one a title click would have left for its first key; none when that key
    // is no title-button column.
    SortMarker sortMarker(int column) const;

signals:
    void titleBtnClick(int column, const QString& fieldName);
    // A left click on a cell or a title, after titleBtnClick. A data cell's row is the
    // dataset's current row before this is sent; a title leaves the current row. Space on
    // a tick-box cell sends it too, so a tick needs no mouse.
    void cellClick(int column, const QString& fieldName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    const DatasetTableModel& tableModel() const override { return *model_; }
    // Display order, hidden columns left out; widths as shown.
    QVector<int> shownIndexes() const override;
    int shownWidth(int column) const override { return columnWidth(viewColumn(column)); }

private:
    int definitionOf(int viewColumn) const;
    bool frozen() const;
    void titleClicked(int column);
    void cellClicked(const QModelIndex& index);
    void followCursor();
    void followSort();
    void followSelection(const QModelIndex& current);

    DatasetTableModel* model_;
    QSortFilterProxyModel* view_;
    SortMarkerHeader* header_;
    TitleClickOrder order_ = TitleClickOrder::MarkerFirst;
    bool syncing_ = false;
    bool titleClicking_ = false;
};

} // namespace ui
