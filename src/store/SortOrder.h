#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace store {

// A client-side order such as "systolic DESC,heart_beat ASC".
class SortOrder {
public:
    // fieldIndex answers -1 for an unknown name; an unknown field or direction throws
    // DatabaseError. Empty text gives no keys.
    SortOrder(const QString& sortText, const std::function<int(const QString&)>& fieldIndex);

    // Stable sort of row numbers; value(row, field) gives a row's value of a field.
    void apply(QList<int>& rows, const std::function<QVariant(int row, int field)>& value) const;

private:
    struct Key {
        int field;
        bool descending;
    };
    QList<Key> keys_;
};

} // namespace store
