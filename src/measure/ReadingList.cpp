#include "measure/ReadingList.h"

#include "measure/AnalysisQuery.h"
#include "store/Dataset.h"
#include "ui/ReadingGridColumns.h"

namespace measure {

QVector<ui::GridColumn> readingListColumns() {
    // field, shown, title acts as sort button, width where this list's differs
    return ui::readingGridColumns({{QStringLiteral("delselection"), true, false},
                                   {"personal", true, false},
                                   {"systolic", true, true, 63},
                                   {"diastolic", true, true, 63},
                                   {"heart_beat", true, true, 57},
                                   {"checktime", true, true, 198}});
}

void openReadingList(store::Dataset& rows, const QString& person, const ReadingRange& range) {
    rows.close();
    rows.setCommandText(range.open()
                            ? personQuery()
                            : analysisQuery(AnalysisMode::Time, range.first(), range.last()));
    rows.setParameter(QStringLiteral("a1"), person);
    rows.open();
}

} // namespace measure
