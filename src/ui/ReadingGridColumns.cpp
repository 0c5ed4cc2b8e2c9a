#include "ui/ReadingGridColumns.h"

#include "store/ReadingColumns.h"

namespace ui {

QVector<GridColumn> readingGridColumns(const QVector<ReadingGridColumn>& columns) {
    QVector<GridColumn> result;
    for (const ReadingGridColumn& shown : columns) {
        const store::ReadingColumn& column = store::readingColumn(shown.fieldName);
        result.append({shown.fieldName, column.title, shown.width > 0 ? shown.width : column.width,
                       shown.visible, shown.titleButton, shown.format});
    }
    return result;
}

} // namespace ui
