#include "measure/ReadingList.h"

#include "lang/StatusMarkers.h"
#include "measure/AnalysisQuery.h"
#include "measure/CategoryColumn.h"
#include "store/Dataset.h"
#include "ui/ReadingGridColumns.h"

namespace measure {

QVector<ui::GridColumn> readingListColumns(std::function<readings::Scheme()> scheme,
                                           const lang::LanguageStore& language) {
    // field, shown, title acts as sort button, width where this list's differs
    QVector<ui::GridColumn> columns =
        ui::readingGridColumns({{QStringLiteral("delselection"), true, false},
                                {"personal", true, false},
                                {"systolic", true, true, 63},
                                {"diastolic", true, true, 63},
                                {"heart_beat", true, true, 57},
                                {"checktime", true, true, 198}});
    columns.append(categoryColumn(std::move(scheme), language));
    columns += ui::readingGridColumns(
        {{"measurement_status", true, true, 0,
          [&language](const QVariant& status) { return lang::statusMarkers(language, status); }}});
    return columns;
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
