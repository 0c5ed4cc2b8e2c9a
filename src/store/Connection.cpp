#include "Connection.h"

#include "DatabaseError.h"

#include <sqlite3.h>

namespace store {

void CloseConnection::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

Connection connect(const QString& path, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    Connection connection(db);
    if (rc != SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
    return connection;
}

} // namespace store
