#include "CellStore.h"

#include "FieldValue.h"

namespace store {

namespace {

constexpr int kKindBits = 3;
constexpr quint64 kKindMask = (1u << kKindBits) - 1;
constexpr int kLengthBits = 21; // of a text; the offset has the bits above
constexpr qint64 kLongestText = (qint64(1) << kLengthBits) - 1;
constexpr qint64 kLastOffset = (qint64(1) << (64 - kKindBits - kLengthBits)) - 1;

quint64 kindOf(quint64 cell) {
    return cell & kKindMask;
}

// The payload as a signed number.
qint64 payloadOf(quint64 cell) {
    return qint64(cell) >> kKindBits;
}

quint64 cell(quint64 kind, qint64 payload) {
    return (quint64(payload) << kKindBits) | kind;
}

bool fitsPayload(qint64 value) {
    return payloadOf(cell(0, value)) == value;
}

} // namespace

void CellStore::clear() {
    cells_.clear();
    texts_.clear();
    objects_.clear();
}

CellStore::Cell CellStore::objectCell(const QVariant& value, Cell replaced) {
    if (kindOf(replaced) == Object) {
        objects_[payloadOf(replaced)] = value;
        return replaced;
    }
    objects_.append(value);
    return cell(Object, objects_.size() - 1);
}

CellStore::Cell CellStore::cellOf(const QVariant& value, Cell replaced) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return cell(Null, 0);
    case QMetaType::Bool:
        return cell(Boolean, value.toBool());
    case QMetaType::Int:
        return cell(Int, value.toInt());
    case QMetaType::LongLong:
        if (fitsPayload(value.toLongLong()))
            return cell(LongLong, value.toLongLong());
        break;
    default:
        break;
    }
    return objectCell(value, replaced);
}

void CellStore::append(const QVariant& value) {
    cells_.push_back(cellOf(value, cell(Null, 0)));
}

void CellStore::appendInteger(FieldType type, qint64 stored) {
    switch (FieldValue::integerShown(type, stored)) {
    case FieldValue::IntegerShown::Boolean:
        cells_.push_back(cell(Boolean, stored != 0));
        return;
    case FieldValue::IntegerShown::Int:
        cells_.push_back(cell(Int, stored));
        return;
    case FieldValue::IntegerShown::LongLong:
        if (fitsPayload(stored))
            cells_.push_back(cell(LongLong, stored));
        else
            append(QVariant(qlonglong(stored)));
        return;
    }
}

void CellStore::appendText(QByteArrayView utf8, qsizetype same) {
    if (same >= 0) {
        const Cell other = cells_[std::size_t(same)];
        if (kindOf(other) == Text && textOf(other) == utf8) {
            cells_.push_back(other);
            return;
        }
    }
    const qint64 offset = qint64(texts_.size());
    if (utf8.size() > kLongestText || offset > kLastOffset) {
        append(QVariant(QString::fromUtf8(utf8)));
        return;
    }
    texts_.append(utf8.data(), std::size_t(utf8.size()));
    cells_.push_back(cell(Text, (offset << kLengthBits) | utf8.size()));
}

void CellStore::appendNulls(qsizetype count) {
    cells_.resize(cells_.size() + std::size_t(count), cell(Null, 0));
}

void CellStore::set(qsizetype index, const QVariant& value) {
    cells_[std::size_t(index)] = cellOf(value, cells_[std::size_t(index)]);
}

QByteArrayView CellStore::textOf(Cell text) const {
    const qint64 payload = payloadOf(text);
    return QByteArrayView(texts_.data() + (payload >> kLengthBits), payload & kLongestText);
}

QVariant CellStore::at(qsizetype index) const {
    const Cell value = cells_[std::size_t(index)];
    switch (kindOf(value)) {
    case Boolean:
        return QVariant(payloadOf(value) != 0);
    case Int:
        return QVariant(int(payloadOf(value)));
    case LongLong:
        return QVariant(qlonglong(payloadOf(value)));
    case Text:
        return QString::fromUtf8(textOf(value));
    case Object:
        return objects_[payloadOf(value)];
    default:
        return QVariant();
    }
}

std::optional<int> CellStore::intAt(qsizetype index) const {
    const Cell value = cells_[std::size_t(index)];
    return kindOf(value) == Int ? std::optional(int(payloadOf(value))) : std::nullopt;
}

} // namespace store
