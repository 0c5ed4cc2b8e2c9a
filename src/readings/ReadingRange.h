#pragma once

#include "readings/Reading.h"

#include <QDate>
#include <QVector>

namespace store {
class Database;
} // namespace store

namespace readings {

// The stored readings of a person from the first to the last day, both included, in
// time order, as stored (not averaged). Moments carry their wall-clock date and time.
// Rows whose moment does not read as 'yyyy-MM-dd HH:mm[:ss]' are left out. Throws
// store::DatabaseError.
QVector<Reading> readingsInRange(store::Database& db, const QString& person, const QDate& first,
                                 const QDate& last);

} // namespace readings
