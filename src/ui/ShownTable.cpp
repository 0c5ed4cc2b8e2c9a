#include "ui/ShownTable.h"

namespace ui {

QStringList ShownTable::shownTitles() const {
    QStringList titles;
    for (int column : shownIndexes())
        titles.append(tableModel().columns()[column].title);
    return titles;
}

QStringList ShownTable::shownRow(int row) const {
    QStringList texts;
    for (int column : shownIndexes())
        texts.append(tableModel().cellText(row, column));
    return texts;
}

QVector<ShownTable::ShownColumn> ShownTable::shownColumns() const {
    QVector<ShownColumn> shown;
    for (int column : shownIndexes()) {
        const GridColumn& definition = tableModel().columns()[column];
        // A formatted column is text, whatever its values.
        const store::FieldType type =
            definition.format ? store::FieldType::Text : tableModel().fieldType(column);
        shown.append({definition.title, type, shownWidth(column)});
    }
    return shown;
}

QVariantList ShownTable::shownValues(int row) const {
    QVariantList values;
    for (int column : shownIndexes())
        values.append(tableModel().cellValue(row, column));
    return values;
}

QString ShownTable::shownDatePattern(int row, int shownColumn) const {
    return tableModel().datePattern(row, shownIndexes().value(shownColumn));
}

DatasetTable::DatasetTable(store::Dataset& dataset, const QVector<GridColumn>& columns)
    : model_(std::make_unique<DatasetTableModel>()) {
    model_->setColumns(columns);
    model_->setDataset(&dataset);
}

DatasetTable::~DatasetTable() = default;

QVector<int> DatasetTable::shownIndexes() const {
    QVector<int> shown;
    for (int column = 0; column < model_->columns().size(); ++column) {
        if (model_->columns()[column].visible)
            shown.append(column);
    }
    return shown;
}

} // namespace ui
