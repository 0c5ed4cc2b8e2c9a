#include "CellStore.h"

#include "FieldValue.h"

namespace store {

void CellStore::clear() {
    cells_.clear();
    texts_.clear();
    objects_.clear();
}

CellStore::Cell CellStore::cellOf(const QVariant& value, const Cell& replaced) {
    Cell cell;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return cell;
    case QMetaType::Bool:
        cell.kind = Kind::Boolean;
        cell.integer = value.toBool();
        return cell;
    case QMetaType::Int:
        cell.kind = Kind::Int;
        cell.integer = value.toInt();
        return cell;
    case QMetaType::LongLong:
        cell.kind = Kind::LongLong;
        cell.integer = value.toLongLong();
        return cell;
    case QMetaType::Double:
        cell.kind = Kind::Double;
        cell.real = value.toDouble();
        return cell;
    default:
        cell.kind = Kind::Object;
        if (replaced.kind == Kind::Object) {
            cell.integer = replaced.integer;
            objects_[cell.integer] = value;
        } else {
            cell.integer = qint64(objects_.size());
            objects_.append(value);
        }
        return cell;
    }
}

void CellStore::append(const QVariant& value) {
    cells_.push_back(cellOf(value, Cell{}));
}

void CellStore::appendInteger(FieldType type, qint64 stored) {
    Cell cell;
    switch (FieldValue::integerShown(type, stored)) {
    case FieldValue::IntegerShown::Boolean:
        cell.kind = Kind::Boolean;
        cell.integer = stored != 0;
        break;
    case FieldValue::IntegerShown::Int:
        cell.kind = Kind::Int;
        cell.integer = stored;
        break;
    case FieldValue::IntegerShown::LongLong:
        cell.kind = Kind::LongLong;
        cell.integer = stored;
        break;
    }
    cells_.push_back(cell);
}

void CellStore::appendText(QByteArrayView utf8, qsizetype same) {
    if (same >= 0 && cells_[std::size_t(same)].kind == Kind::Text &&
        textOf(cells_[std::size_t(same)]) == utf8) {
        cells_.push_back(cells_[std::size_t(same)]);
        return;
    }
    Cell cell;
    cell.kind = Kind::Text;
    cell.length = quint32(utf8.size());
    cell.integer = qint64(texts_.size());
    texts_.append(utf8.data(), std::size_t(utf8.size()));
    cells_.push_back(cell);
}

void CellStore::appendNulls(qsizetype count) {
    cells_.resize(cells_.size() + std::size_t(count));
}

void CellStore::set(qsizetype index, const QVariant& value) {
    cells_[std::size_t(index)] = cellOf(value, cells_[std::size_t(index)]);
}

QByteArrayView CellStore::textOf(const Cell& cell) const {
    return QByteArrayView(texts_.data() + cell.integer, cell.length);
}

QVariant CellStore::at(qsizetype index) const {
    const Cell& cell = cells_[std::size_t(index)];
    switch (cell.kind) {
    case Kind::Null:
        break;
    case Kind::Boolean:
        return QVariant(cell.integer != 0);
    case Kind::Int:
        return QVariant(int(cell.integer));
    case Kind::LongLong:
        return QVariant(qlonglong(cell.integer));
    case Kind::Double:
        return QVariant(cell.real);
    case Kind::Text:
        return QString::fromUtf8(textOf(cell));
    case Kind::Object:
        return objects_[cell.integer];
    }
    return QVariant();
}

std::optional<int> CellStore::intAt(qsizetype index) const {
    const Cell& cell = cells_[std::size_t(index)];
    return cell.kind == Kind::Int ? std::optional(int(cell.integer)) : std::nullopt;
}

} // namespace store
