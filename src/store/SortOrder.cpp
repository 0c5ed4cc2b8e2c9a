#include "SortOrder.h"

#include "DatabaseError.h"
#include "FieldValue.h"

#include <algorithm>
#include <vector>

namespace store {

namespace {

QString unbracketed(const QString& name) {
    if (name.size() >= 2 && ((name.front() == u'[' && name.back() == u']') ||
                             (name.front() == u'"' && name.back() == u'"')))
        return name.mid(1, name.size() - 2);
    return name;
}

} // namespace

SortOrder::SortOrder(const QString& sortText,
                     const std::function<int(const QString&)>& fieldIndex) {
    for (const QString& item : sortText.split(u',', Qt::SkipEmptyParts)) {
        const QStringList words = item.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        const QString direction = words.size() > 1 ? words[1].toUpper() : QStringLiteral("ASC");
        if (words.size() > 2 || (direction != u"ASC" && direction != u"DESC"))
            throw DatabaseError(QStringLiteral("invalid sort item \"%1\"").arg(item.trimmed()));
        const QString name = unbracketed(words[0]);
        const int field = fieldIndex(name);
        if (field < 0)
            throw DatabaseError(QStringLiteral("field %1 not found").arg(name));
        keys_ << Key{field, direction == u"DESC"};
    }
}

void SortOrder::apply(QList<int>& rows,
                      const std::function<QVariant(int row, int field)>& value) const {
    // Each key's values are converted once, indexed by row number.
    const int rowCount = rows.isEmpty() ? 0 : *std::max_element(rows.begin(), rows.end()) + 1;
    std::vector<std::vector<FieldValue::OrderKey>> columns(keys_.size());
    for (qsizetype k = 0; k < keys_.size(); ++k) {
        columns[k].resize(rowCount);
        for (int row : rows)
            columns[k][row] = FieldValue::orderKey(value(row, keys_[k].field));
    }
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        for (qsizetype k = 0; k < keys_.size(); ++k) {
            const int order = FieldValue::compare(columns[k][a], columns[k][b]);
            if (order != 0)
                return keys_[k].descending ? order > 0 : order < 0;
        }
        return false;
    });
}

} // namespace store
