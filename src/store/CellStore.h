#pragma once

#include "Dataset.h"

#include <QByteArrayView>
#include <QVariant>
#include <optional>
#include <string>
#include <vector>

namespace store {

// The values of a dataset's rows, eight bytes each: booleans, ints and most long longs
// in place, texts read from the database as their UTF-8 bytes in one buffer, anything
// else as a QVariant. Each value reads back as the QVariant it was stored as; a text
// from the database reads back as QString::fromUtf8 of its bytes.
class CellStore {
public:
    qsizetype size() const { return qsizetype(cells_.size()); }
    // Drops every value but keeps the room they took, for the next rows.
    void clear();

    void append(const QVariant& value);
    // An integer from a field of this type, as FieldValue::fromStorage shows it.
    void appendInteger(FieldType type, qint64 stored);
    // A text from the database. When it equals the text of the cell same, it shares
    // that cell's bytes: a column that repeats one text over many rows holds it once.
    void appendText(QByteArrayView utf8, qsizetype same);
    void appendNulls(qsizetype count);
    void set(qsizetype index, const QVariant& value);
    QVariant at(qsizetype index) const;
    // The value when it is an int, read without a QVariant.
    std::optional<int> intAt(qsizetype index) const;

private:
    // A cell is a kind in its lowest three bits and a payload in the others: the value,
    // the offset and length of a text, or the index of an object.
    enum Kind : quint64 { Null, Boolean, Int, LongLong, Text, Object };
    using Cell = quint64;

    Cell objectCell(const QVariant& value, Cell replaced);
    Cell cellOf(const QVariant& value, Cell replaced);
    QByteArrayView textOf(Cell cell) const;

    std::vector<Cell> cells_;
    std::string texts_;
    QVariantList objects_;
};

} // namespace store
