#pragma once

#include <QByteArrayView>
#include <QStringView>

struct sqlite3;

namespace store {

// Text compares case-folded in every alphabet, so "Müller" equals "MÜLLER" and "Иванов"
// equals "ИВАНОВ": on the client here, in SQL through the name keys (NameKeys). The build
// before the keys named this collation in its files; a connection that converts such a
// file must know it.
inline constexpr char kTextCollation[] = "FOLDCASE";

// Negative, zero or positive as a orders before, equal to or after b.
int compareText(QStringView a, QStringView b);

// Whether text begins with, or holds, part under the same fold.
bool textStartsWith(QStringView text, QStringView part);
bool textContains(QStringView text, QStringView part);

// The same order for UTF-8 texts as they come from the database.
int compareUtf8(QByteArrayView a, QByteArrayView b);

// Makes the collation known to the connection. Throws DatabaseError.
void registerTextCollation(sqlite3* db);

} // namespace store
