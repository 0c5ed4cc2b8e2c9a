#pragma once

struct sqlite3;

namespace store::SchemaUpgrade {

// Files of earlier builds compare text under a collation of their own (FOLDCASE) or under
// NOCASE, have no name keys, and may hold true as 1. On a connection that knows those
// collations and the fold function, rebuilds each table in its current shape with its
// rows, rowids, further columns, indexes and triggers, gives every name its key and stores
// every true as -1, all in one transaction: the file is converted completely or left as
// it was. A file of a later shape (user_version 1 on) gets the columns of the versions
// after its own, also in one transaction. Does nothing to a current file. Throws
// DatabaseError.
void convertEarlierFile(sqlite3* db);

} // namespace store::SchemaUpgrade
