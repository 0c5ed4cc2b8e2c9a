#include "FieldValue.h"

#include "TextCollation.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

namespace store::FieldValue {

namespace {

bool isWhole(const QVariant& value) {
    return isNumber(value) && value.typeId() != QMetaType::Double &&
           value.typeId() != QMetaType::Float;
}

bool isNullValue(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return !value.toDateTime().isValid();
    case QMetaType::QDate:
        return !value.toDate().isValid();
    case QMetaType::QTime:
        return !value.toTime().isValid();
    default:
        return false;
    }
}

// Text that reads as a number becomes that number, as SQLite's numeric affinity does.
QVariant numericFromText(const QVariant& stored, bool wantReal) {
    if (stored.typeId() != QMetaType::QString)
        return stored;
    const QString text = stored.toString().trimmed();
    bool ok = false;
    const qlonglong whole = text.toLongLong(&ok);
    if (ok)
        return wantReal ? QVariant(double(whole)) : QVariant(whole);
    const double real = text.toDouble(&ok);
    return ok ? QVariant(real) : stored;
}

int rank(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return 0;
    if (isNumber(value))
        return 1;
    return value.typeId() == QMetaType::QByteArray ? 3 : 2;
}

template <typename T> int threeWay(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

FieldType typeOf(const QString& declaredType) {
    const QString type = declaredType.trimmed().toUpper();
    if (type == u"BOOLEAN" || type == u"BOOL" || type == u"BIT")
        return FieldType::Boolean;
    if (type == u"DATETIME" || type == u"DATE" || type == u"TIMESTAMP")
        return FieldType::DateTime;
    if (type.contains(u"INT"))
        return FieldType::Integer;
    if (type.contains(u"CHAR") || type.contains(u"TEXT") || type.contains(u"CLOB"))
        return FieldType::Text;
    if (type.contains(u"REAL") || type.contains(u"FLOA") || type.contains(u"DOUB"))
        return FieldType::Float;
    return FieldType::Unknown;
}

QString dateTimeText(const QDateTime& value) {
    return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

namespace {

// The stored form 'YYYY-MM-DD HH:MM:SS' read without a format parser: grids and files
// read it for every row.
std::optional<std::pair<QDate, QTime>> parseStoredForm(QStringView text) {
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' ||
        text[13] != u':' || text[16] != u':')
        return std::nullopt;
    const auto number = [text](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    const int parts[] = {number(0, 4),  number(5, 2),  number(8, 2),
                         number(11, 2), number(14, 2), number(17, 2)};
    if (std::any_of(std::begin(parts), std::end(parts), [](int part) { return part < 0; }))
        return std::nullopt;
    return std::pair{QDate(parts[0], parts[1], parts[2]), QTime(parts[3], parts[4], parts[5])};
}

std::pair<QDate, QTime> parseDateAndTime(const QString& text) {
    if (const auto stored = parseStoredForm(text))
        return *stored;
    const QString trimmed = text.trimmed();
    static const QRegularExpression separator(QStringLiteral("[ T]"));
    const qsizetype split = trimmed.indexOf(separator);
    const QDate date =
        QDate::fromString(split < 0 ? trimmed : trimmed.left(split), QStringLiteral("yyyy-MM-dd"));
    if (split < 0)
        return {date, QTime(0, 0)};
    const QString clock = trimmed.mid(split + 1);
    QTime time = QTime::fromString(clock, QStringLiteral("HH:mm:ss"));
    if (!time.isValid())
        time = QTime::fromString(clock, QStringLiteral("HH:mm"));
    return {date, time};
}

} // namespace

QDateTime parseDateTime(const QString& text) {
    const auto [date, time] = parseDateAndTime(text);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

QDateTime wallClock(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return moment.isValid() ? QDateTime(moment.date(), moment.time(), Qt::UTC) : QDateTime();
    }
    case QMetaType::QDate:
        return value.toDate().isValid() ? QDateTime(value.toDate(), QTime(0, 0), Qt::UTC)
                                        : QDateTime();
    case QMetaType::QString:
        return parseDateTime(value.toString());
    default:
        return {};
    }
}

QVariant toStorage(const QVariant& value) {
    if (isNullValue(value))
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return qlonglong(value.toBool() ? -1 : 0);
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::QDateTime:
        return dateTimeText(value.toDateTime());
    case QMetaType::QDate:
        return dateTimeText(value.toDate().startOfDay());
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QByteArray:
        return value;
    default:
        return isNumber(value) ? QVariant(value.toLongLong()) : QVariant(value.toString());
    }
}

QVariant fromStorage(FieldType type, const QVariant& stored) {
    return stored.typeId() == QMetaType::LongLong ? fromStorage(type, stored.toLongLong()) : stored;
}

IntegerShown integerShown(FieldType type, qint64 number) {
    if (type == FieldType::Boolean)
        return IntegerShown::Boolean;
    if (type == FieldType::Integer && number >= std::numeric_limits<int>::min() &&
        number <= std::numeric_limits<int>::max())
        return IntegerShown::Int;
    return IntegerShown::LongLong;
}

QVariant fromStorage(FieldType type, qint64 number) {
    switch (integerShown(type, number)) {
    case IntegerShown::Boolean:
        return number != 0;
    case IntegerShown::Int:
        return int(number);
    case IntegerShown::LongLong:
        break;
    }
    return qlonglong(number);
}

QVariant normalize(FieldType type, const QVariant& value) {
    QVariant stored = toStorage(value);
    switch (type) {
    case FieldType::Boolean:
        if (stored.typeId() == QMetaType::QString) {
            const QString text = stored.toString().trimmed();
            if (text.compare(u"true", Qt::CaseInsensitive) == 0)
                stored = qlonglong(-1);
            else if (text.compare(u"false", Qt::CaseInsensitive) == 0)
                stored = qlonglong(0);
        }
        stored = numericFromText(stored, false);
        break;
    case FieldType::Integer:
        stored = numericFromText(stored, false);
        if (stored.typeId() == QMetaType::Double) {
            const double real = stored.toDouble();
            if (std::trunc(real) == real && std::abs(real) < 9e18)
                stored = qlonglong(real);
        }
        break;
    case FieldType::Float:
        stored = numericFromText(stored, true);
        if (isWhole(stored))
            stored = stored.toDouble();
        break;
    case FieldType::Text:
        if (isNumber(stored))
            stored = isWhole(stored) ? QString::number(stored.toLongLong())
                                     : QString::number(stored.toDouble(), 'g', 15);
        break;
    case FieldType::DateTime:
    case FieldType::Unknown:
        break;
    }
    return fromStorage(type, stored);
}

OrderKey orderKey(const QVariant& value) {
    OrderKey key;
    key.rank = rank(value);
    if (key.rank == 1) {
        key.whole = isWhole(value);
        key.integer = key.whole ? value.toLongLong() : 0;
        key.real = value.toDouble();
    } else if (key.rank == 2) {
        key.text = value.toString();
    } else if (key.rank == 3) {
        key.bytes = value.toByteArray();
    }
    return key;
}

int compare(const OrderKey& a, const OrderKey& b) {
    if (a.rank != b.rank || a.rank == 0)
        return threeWay(a.rank, b.rank);
    if (a.rank == 1)
        return a.whole && b.whole ? threeWay(a.integer, b.integer) : threeWay(a.real, b.real);
    if (a.rank == 3)
        return threeWay(a.bytes, b.bytes);
    return compareText(a.text, b.text);
}

int compare(const QVariant& a, const QVariant& b) {
    return compare(orderKey(a), orderKey(b));
}

} // namespace store::FieldValue
