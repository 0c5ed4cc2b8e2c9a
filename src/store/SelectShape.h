#pragma once

#include <QString>

namespace store::SelectShape {

// The table of a plain single-table select (no join, group by, distinct, union or
// sub-select in its from clause), whose rows can be written back by rowid; empty
// for any other statement.
QString baseTable(const QString& sql);

// The select with "rowid AS hiddenName" put first in its list.
QString withRowid(const QString& sql, const QString& hiddenName);

} // namespace store::SelectShape
