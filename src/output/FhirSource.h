#pragma once

#include "output/FhirBundle.h"

#include <QDate>
#include <QString>

namespace store {
class Database;
}

namespace output {

// The stored details of the person of that last name, and that person's readings from the
// first to the last day, both included, oldest first. Throws store::DatabaseError.
QByteArray storedFhirBundle(store::Database& db, const QString& lastName, const QDate& from,
                            const QDate& to);

} // namespace output
