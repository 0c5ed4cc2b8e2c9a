#pragma once

#include "output/FhirBundle.h"

#include <QDate>
#include <QString>

namespace lang {
class LanguageStore;
}
namespace store {
class Database;
}

namespace output {

// Writes the bundle of the stored details of the person of that last name, and that person's
// readings from the first to the last day, both included, oldest first; a reading's status
// markers, in the language of the moment, are its note. Throws
// store::DatabaseError, and ExportError when the device fails.
void writeStoredFhirBundle(QIODevice& device, store::Database& db,
                           const lang::LanguageStore& language, const QString& lastName,
                           const QDate& from, const QDate& to);

} // namespace output
