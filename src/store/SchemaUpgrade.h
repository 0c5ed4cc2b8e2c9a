#pragma once

struct sqlite3;

namespace store::SchemaUpgrade {

// Files of earlier builds compare text under SQLite's NOCASE, which folds ASCII only,
// and hold true as 1. On a connection that knows the text collation, rebuilds each such
// table under it with its rows, rowids, indexes and triggers, and stores every true as
// -1, all in one transaction: the file is converted completely or left as it was.
// Does nothing to a current file. Throws DatabaseError.
void convertEarlierFile(sqlite3* db);

} // namespace store::SchemaUpgrade
