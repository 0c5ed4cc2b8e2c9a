#pragma once

#include "Dataset.h"

#include <QDateTime>
#include <QVariant>

namespace store::FieldValue {

// Whether the value is a number: bool, an integer or a floating-point type.
bool isNumber(const QVariant& value);

// The field type of a declared column type; expressions have none and give Unknown.
FieldType typeOf(const QString& declaredType);

// The form in which a value is handed to SQLite: NULL as QVariant(), bool as 0 or -1,
// date/time as text 'YYYY-MM-DD HH:MM:SS', numbers, text or bytes.
QVariant toStorage(const QVariant& value);

// The form a dataset shows for a value SQLite returned from a field of this type:
// Boolean as bool (any value but 0 is true), Integer as int where it fits, everything else as
// stored.
QVariant fromStorage(FieldType type, const QVariant& stored);
QVariant fromStorage(FieldType type, qint64 stored);
// The type in which fromStorage shows an integer.
enum class IntegerShown { Boolean, Int, LongLong };
IntegerShown integerShown(FieldType type, qint64 stored);

// The value a field holds after it is set to value and written: converted as the
// column's type converts it, then shown as fromStorage does.
QVariant normalize(FieldType type, const QVariant& value);

// Orders values as SQLite does: NULL first, then numbers by value, then text as
// compareText orders it, then bytes. 0 when equal.
int compare(const QVariant& a, const QVariant& b);

// A value reduced to what ordering needs, so that a sort converts each value only once;
// two keys compare as their values do.
struct OrderKey {
    int rank = 0; // null, number, text, bytes
    bool whole = false;
    qlonglong integer = 0;
    double real = 0;
    QString text;
    QByteArray bytes;
};
OrderKey orderKey(const QVariant& value);
int compare(const OrderKey& a, const OrderKey& b);

QString dateTimeText(const QDateTime& value);
// Stored moments carry no zone. They are read as wall-clock readings, a QDateTime in UTC,
// so that no daylight-saving gap of the local zone moves or voids them.
// Reads 'YYYY-MM-DD HH:MM:SS', 'YYYY-MM-DD HH:MM' or 'YYYY-MM-DD' (a 'T' may stand for the
// space); invalid otherwise.
QDateTime parseDateTime(const QString& text);
// The same for what a dataset holds: the stored text, a QDateTime or a QDate.
QDateTime wallClock(const QVariant& value);

} // namespace store::FieldValue
