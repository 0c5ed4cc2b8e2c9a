#pragma once

#include "JetSqlTokens.h"

namespace store::JetSql {

// Makes name comparisons, groupings and orders use the names' keys (NameKeys):
// "personal=X" in a condition becomes "personal_key=foldcase(X)" for a literal or a
// parameter X, "a.personal=b.personal" compares both keys, "group by personal" and
// "order by personal" use the key, and a derived table that selects a name also
// selects its key. Other uses of a name column are left as they are.
void compareNamesByKey(QList<Token>& tokens);

} // namespace store::JetSql
