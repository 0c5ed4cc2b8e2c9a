#include "ui/DatasetTableModel.h"

#include "store/Dataset.h"
#include "store/DateFormat.h"
#include "store/DatePattern.h"
#include "store/FieldValue.h"

#include <QLocale>

namespace ui {

DatasetTableModel::DatasetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetTableModel::setDataset(store::Dataset* dataset) {
    if (dataset_)
        disconnect(dataset_, nullptr, this, nullptr);
    dataset_ = dataset;
    if (dataset_) {
        connect(dataset_, &store::Dataset::rowsReset, this, &DatasetTableModel::reload);
        connect(dataset_, &store::Dataset::rowChanged, this, &DatasetTableModel::rowChanged);
        connect(dataset_, &QObject::destroyed, this, &DatasetTableModel::detach);
    }
    reload();
}

void DatasetTableModel::setColumns(const QVector<GridColumn>& columns) {
    beginResetModel();
    columns_ = columns;
    bind();
    endResetModel();
}

void DatasetTableModel::setColumnTitle(int column, const QString& title) {
    columns_[column].title = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void DatasetTableModel::setColumnFormat(int column, const CellFormat& format) {
    columns_[column].format = format;
    if (rowCount_ > 0)
        emit dataChanged(index(0, column), index(rowCount_ - 1, column));
}

// The dataset is being destroyed: its rows are gone, so nothing may read them.
void DatasetTableModel::detach() {
    beginResetModel();
    dataset_ = nullptr;
    bind();
    endResetModel();
}

void DatasetTableModel::reload() {
    beginResetModel();
    bind();
    endResetModel();
}

// Only per-column work here: a reset must stay cheap for large datasets.
void DatasetTableModel::bind() {
    const bool active = dataset_ && dataset_->isActive();
    bindings_.fill(Binding{}, columns_.size());
    const QLocale locale;
    const QString dateFormat = store::withFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
    dateFormat_ = store::DatePattern(dateFormat, locale);
    dateTimeFormat_ =
        store::DatePattern(dateFormat + u' ' + locale.timeFormat(QLocale::ShortFormat), locale);
    rowCount_ = active ? dataset_->recordCount() : 0;
    if (!active)
        return;
    for (int column = 0; column < columns_.size(); ++column) {
        Binding& binding = bindings_[column];
        binding.field = dataset_->fieldIndex(columns_[column].fieldName);
        const store::FieldType type =
            binding.field >= 0 ? dataset_->fieldType(binding.field) : store::FieldType::Unknown;
        binding.type = type;
        binding.boolean = type == store::FieldType::Boolean;
        binding.dateTime = type == store::FieldType::DateTime;
    }
}

void DatasetTableModel::rowChanged(int row) {
    if (row >= 0 && row < rowCount_ && !columns_.isEmpty())
        emit dataChanged(index(row, 0), index(row, columns_.size() - 1));
}

QVariant DatasetTableModel::cellValue(int row, int column) const {
    if (columns_[column].rowCell)
        return cellText(row, column);
    const int field = bindings_[column].field;
    if (!dataset_ || field < 0)
        return {};
    return dataset_->valueAt(row, field);
}

QDateTime DatasetTableModel::cellMoment(int row, int column) const {
    return store::FieldValue::wallClock(cellValue(row, column));
}

QString DatasetTableModel::cellText(int row, int column) const {
    if (columns_[column].rowCell)
        return dataset_ ? columns_[column].rowCell(*dataset_, row).text : QString();
    const QVariant value = cellValue(row, column);
    if (value.isNull())
        return {};
    if (columns_[column].format)
        return columns_[column].format(value);
    if (bindings_[column].boolean)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (bindings_[column].dateTime) {
        const QDateTime moment = cellMoment(row, column);
        if (moment.isValid())
            return patternFor(moment).format(moment);
    }
    return value.toString();
}

const store::DatePattern& DatasetTableModel::patternFor(const QDateTime& moment) const {
    return moment.time() == QTime(0, 0) ? dateFormat_ : dateTimeFormat_;
}

QString DatasetTableModel::datePattern(int row, int column) const {
    return patternFor(cellMoment(row, column)).pattern();
}

int DatasetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rowCount_;
}

int DatasetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DatasetTableModel::data(const QModelIndex& index, int role) const {
    // While the dataset's controls are disabled its rows may be in motion: read nothing.
    if (!index.isValid() || !dataset_ || dataset_->controlsDisabled())
        return {};
    const bool boolean = bindings_[index.column()].boolean;
    switch (role) {
    case Qt::DisplayRole:
        return boolean ? QVariant() : QVariant(cellText(index.row(), index.column()));
    case Qt::CheckStateRole: {
        if (!boolean)
            return {};
        const QVariant value = cellValue(index.row(), index.column());
        if (value.isNull())
            return {};
        return value.toBool() ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::BackgroundRole: {
        const RowCell& cell = columns_[index.column()].rowCell;
        if (!cell)
            return {};
        const QColor background = cell(*dataset_, index.row()).background;
        return background.isValid() ? QVariant(background) : QVariant();
    }
    default:
        return {};
    }
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role == Qt::DisplayRole)
        return columns_.value(section).title;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace ui
