#pragma once

#include "readings/Category.h"
#include "ui/DatasetTableModel.h"

#include <QDate>
#include <QVector>
#include <functional>
#include <optional>

namespace lang {
class LanguageStore;
}

namespace measure {

// The columns of the Data page's list of readings, under their design titles, then each
// reading's category in the scheme of the moment and the markers of its status.
QVector<ui::GridColumn> readingListColumns(std::function<readings::Scheme()> scheme,
                                           const lang::LanguageStore& language);

// Days from the first to the last, both included; an open end reaches every reading
// before or after.
struct ReadingRange {
    std::optional<QDate> from;
    std::optional<QDate> to;

    bool open() const { return !from && !to; }
    QDate first() const { return from.value_or(QDate(1900, 1, 1)); }
    QDate last() const { return to.value_or(QDate(9999, 12, 30)); }
};

// Opens rows on the query of the Data page for the person's stored readings of the range.
void openReadingList(store::Dataset& rows, const QString& person, const ReadingRange& range);

} // namespace measure
