#pragma once

#include <QString>
#include <memory>

struct sqlite3;

namespace store {

struct CloseConnection {
    void operator()(sqlite3* db) const;
};
using Connection = std::unique_ptr<sqlite3, CloseConnection>;

// Opens an SQLite connection with sqlite3_open_v2 flags; throws DatabaseError with
// SQLite's message.
Connection connect(const QString& path, int flags);

} // namespace store
