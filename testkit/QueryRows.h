#pragma once

#include <QStringList>

namespace store {
class Database;
}

namespace testkit {

// The rows of a query, each as its columns' texts joined by "|".
QStringList queryRows(store::Database& database, const QString& sql);

} // namespace testkit
