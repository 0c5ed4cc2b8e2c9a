#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace store {
class Dataset;
}

namespace tools {

struct TfindOp;

// How a text field is matched: the entry begins it, occurs in it, or equals it.
enum class MatchType { Beginning, AnywhereIn, WholeField };

// The message key that refuses the entry for a field of that type name, or empty when
// the entry fits: booleans take "1" or "0", integers a whole number, dates a date in the
// user's short date format.
QString entryError(const QString& typeName, const QString& entry);

// An entry read as a date and time in the user's short date format, alone (midnight) or
// followed by a time.
std::optional<QDateTime> readDateEntry(const QString& entry);

// Whether the current record's value of the field matches the entry. Texts compare
// without regard to case; numbers, dates and booleans by value; an empty number or date
// matches nothing.
bool recordMatches(const store::Dataset& rows, const TfindOp& field, const QString& entry,
                   MatchType match);

} // namespace tools
