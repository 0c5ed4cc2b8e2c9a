#pragma once

#include "ui/DatasetTableModel.h"

#include <QString>
#include <QVector>

namespace ui {

// How a grid shows one reading column.
struct ReadingGridColumn {
    QString fieldName; // a reading column, in any case; the grid binds this spelling
    bool visible = true;
    bool titleButton = true;
    int width = 0; // 0: the reading column's design width
    CellFormat format = {};
};

// The grid columns, each under its reading column's design title. Throws
// std::out_of_range for a field that is no reading column.
QVector<GridColumn> readingGridColumns(const QVector<ReadingGridColumn>& columns);

} // namespace ui
