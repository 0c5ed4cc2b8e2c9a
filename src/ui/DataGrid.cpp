#include "ui/DataGrid.h"

#include "store/Dataset.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <algorithm>

namespace ui {

// The title row: draws the one sort marker as an arrow at the right of its section.
class SortMarkerHeader : public QHeaderView {
public:
    explicit SortMarkerHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

    DataGrid::SortMarker marker(int section) const {
        return section == section_ ? marker_ : DataGrid::SortMarker::None;
    }
    void setMarker(int section, DataGrid::SortMarker marker) {
        section_ = section;
        marker_ = marker;
        viewport()->update();
    }

protected:
    // The marked section: background, the title beside the arrow, the arrow.
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        const DataGrid::SortMarker shown = marker(logicalIndex);
        if (shown == DataGrid::SortMarker::None) {
            QHeaderView::paintSection(painter, rect, logicalIndex);
            return;
        }
        QStyleOptionHeader option;
        initStyleOption(&option);
        initStyleOptionForIndex(&option, logicalIndex);
        option.rect = rect;
        const int side = qMax(7, rect.height() / 2);
        painter->save();
        style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
        painter->restore();
        option.rect.setRight(rect.right() - side - 5);
        style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
        option.rect = QRect(rect.right() - side - 3, rect.center().y() - side / 2, side, side);
        style()->drawPrimitive(shown == DataGrid::SortMarker::Down ? QStyle::PE_IndicatorArrowDown
                                                                   : QStyle::PE_IndicatorArrowUp,
                               &option, painter, this);
    }

private:
    int section_ = -1;
    DataGrid::SortMarker marker_ = DataGrid::SortMarker::None;
};

namespace {

// The dataset's columns without the hidden ones: Qt's table accessibility counts every
// column of the view's model.
class ShownColumns : public QSortFilterProxyModel {
public:
    ShownColumns(DatasetTableModel& source, QObject* parent)
        : QSortFilterProxyModel(parent), source_(source) {
        setSourceModel(&source);
    }

protected:
    bool filterAcceptsColumn(int column, const QModelIndex&) const override {
        return source_.columns().value(column).visible;
    }

private:
    DatasetTableModel& source_;
};

} // namespace

// Cells as usual, except that a check box stands in the middle of its cell.
class CentredCheckDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        if (!(cell.features & QStyleOptionViewItem::HasCheckIndicator)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        QStyleOptionViewItem box(cell);
        const QRect indicator =
            style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &cell, widget);
        box.rect =
            QStyle::alignedRect(cell.direction, Qt::AlignCenter, indicator.size(), cell.rect);
        box.state &= ~QStyle::State_HasFocus;
        box.state |= cell.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
    }
};

DataGrid::DataGrid(const QString& objectName, QWidget* parent)
    : QTableView(parent), model_(new DatasetTableModel(this)),
      view_(new ShownColumns(*model_, this)), header_(new SortMarkerHeader(this)) {
    setObjectName(objectName);
    setHorizontalHeader(header_);
    setModel(view_);
    setItemDelegate(new CentredCheckDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setWordWrap(false);
    // Tab and Shift+Tab leave the grid; the arrow keys move inside it.
    setTabKeyNavigation(false);
    header_->setSectionsClickable(true);
    header_->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(verticalHeader()->minimumSectionSize());

    connect(header_, &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    connect(header_, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        const int definition = definitionOf(column);
        if (width > 0 && definition >= 0)
            model_->setColumnWidth(definition, width);
    });
    connect(this, &QAbstractItemView::clicked, this, &DataGrid::cellClicked);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &DataGrid::followSelection);
    connect(view_, &QAbstractItemModel::modelReset, this, &DataGrid::followCursor);
}

void DataGrid::setDataset(store::Dataset* dataset) {
    if (this->dataset())
        disconnect(this->dataset(), nullptr, this, nullptr);
    if (dataset) {
        connect(dataset, &store::Dataset::currentChanged, this, &DataGrid::followCursor);
        connect(dataset, &store::Dataset::rowsReset, this, &DataGrid::followSort);
        connect(dataset, &store::Dataset::controlsEnabled, viewport(),
                qOverload<>(&QWidget::update));
    }
    model_->setDataset(dataset);
}

void DataGrid::setColumns(const QVector<Column>& columns) {
    model_->setColumns(columns);
    header_->setMarker(-1, SortMarker::None);
    for (int index = 0; index < columns.size(); ++index) {
        const int shown = viewColumn(index);
        if (shown < 0)
            continue;
        header_->moveSection(header_->visualIndex(shown), shown);
        setColumnWidth(shown, columns[index].width);
    }
}

int DataGrid::viewColumn(int column) const {
    const QVector<Column>& columns = model_->columns();
    if (column < 0 || column >= columns.size() || !columns[column].visible)
        return -1;
    return int(std::count_if(columns.begin(), columns.begin() + column,
                             [](const Column& before) { return before.visible; }));
}

int DataGrid::definitionOf(int viewColumn) const {
    const QVector<Column>& columns = model_->columns();
    for (int index = 0; index < columns.size(); ++index) {
        if (columns[index].visible && viewColumn-- == 0)
            return index;
    }
    return -1;
}

int DataGrid::columnIndexOfField(const QString& fieldName) const {
    const QVector<Column>& columns = model_->columns();
    for (int index = 0; index < columns.size(); ++index) {
        if (columns[index].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

void DataGrid::setColumnTitle(int index, const QString& title) {
    model_->setColumnTitle(index, title);
}

void DataGrid::setColumnFormat(int index, const CellFormat& format) {
    model_->setColumnFormat(index, format);
}

void DataGrid::setColumnWidthPx(int index, int width) {
    model_->setColumnWidth(index, width);
    if (viewColumn(index) >= 0)
        setColumnWidth(viewColumn(index), width);
}

DataGrid::SortMarker DataGrid::sortMarker(int column) const {
    const int shown = viewColumn(column);
    return shown < 0 ? SortMarker::None : header_->marker(shown);
}

QVector<int> DataGrid::shownIndexes() const {
    QVector<int> shown;
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int logical = header_->logicalIndex(visual);
        shown.append(definitionOf(logical));
    }
    return shown;
}

void DataGrid::paintEvent(QPaintEvent* event) {
    if (!frozen())
        QTableView::paintEvent(event);
}

bool DataGrid::frozen() const {
    return dataset() && dataset()->controlsDisabled();
}

void DataGrid::titleClicked(int section) {
    const int column = definitionOf(section);
    const Column clicked = this->column(column);
    if (clicked.titleButton) {
        const QScopedValueRollback guard(titleClicking_, true);
        if (order_ == TitleClickOrder::HandlerFirst)
            emit titleBtnClick(column, clicked.fieldName);
        header_->setMarker(section, sortMarker(column) == SortMarker::Down ? SortMarker::Up
                                                                           : SortMarker::Down);
        if (order_ == TitleClickOrder::MarkerFirst)
            emit titleBtnClick(column, clicked.fieldName);
    }
    emit cellClick(column, clicked.fieldName);
}

void DataGrid::followSort() {
    if (titleClicking_)
        return;
    const QStringList firstKey = dataset()
                                     ->sort()
                                     .section(QLatin1Char(','), 0, 0)
                                     .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int column = firstKey.isEmpty() ? -1 : columnIndexOfField(firstKey.first());
    if (viewColumn(column) < 0 || !this->column(column).titleButton) {
        header_->setMarker(-1, SortMarker::None);
        return;
    }
    const bool descending =
        firstKey.size() > 1 && firstKey[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
    const bool handlerFirst = order_ == TitleClickOrder::HandlerFirst;
    header_->setMarker(viewColumn(column),
                       descending != handlerFirst ? SortMarker::Up : SortMarker::Down);
}

void DataGrid::cellClicked(const QModelIndex& index) {
    store::Dataset* rows = dataset();
    if (rows && !frozen() && rows->recNo() != index.row() + 1)
        rows->setRecNo(index.row() + 1);
    const int clicked = definitionOf(index.column());
    emit cellClick(clicked, column(clicked).fieldName);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
        current.isValid() && current.data(Qt::CheckStateRole).isValid()) {
        cellClicked(current);
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::followCursor() {
    if (syncing_ || frozen() || !dataset())
        return;
    const QScopedValueRollback guard(syncing_, true);
    const int row = dataset()->recNo() - 1;
    if (row < 0 || row >= view_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    int column = currentIndex().column();
    if (column < 0)
        column = qMax(0, columnAt(0));
    const QModelIndex current = view_->index(row, column);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
    scrollTo(current);
}

void DataGrid::followSelection(const QModelIndex& current) {
    if (syncing_ || frozen() || !current.isValid() || !dataset())
        return;
    const QScopedValueRollback guard(syncing_, true);
    if (dataset()->recNo() != current.row() + 1)
        dataset()->setRecNo(current.row() + 1);
}

} // namespace ui
