#pragma once

#include "Dataset.h"

#include <QByteArrayView>
#include <QVariant>
#include <optional>
#include <string>
#include <vector>

namespace store {

// The values of a dataset's rows, held compactly: booleans and numbers in place, texts
// read from the database as their UTF-8 bytes in one buffer, anything else as a
// QVariant. Each value reads back as the QVariant it was stored as; a text from the
// database reads back as QString::fromUtf8 of its bytes.
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
    enum class Kind : quint8 { Null, Boolean, Int, LongLong, Double, Text, Object };
    struct Cell {
        Kind kind = Kind::Null;
        quint32 length = 0; // of a text
        union {
            qint64 integer = 0; // also the offset of a text and the index of an object
            double real;
        };
    };

    Cell cellOf(const QVariant& value, const Cell& replaced);
    QByteArrayView textOf(const Cell& cell) const;

    std::vector<Cell> cells_;
    std::string texts_;
    QVariantList objects_;
};

} // namespace store
