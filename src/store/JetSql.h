#pragma once

#include <QString>

class QDate;
struct sqlite3;

namespace store::JetSql {

// Rewrites the closed set of statement forms of the original engine's dialect into
// SQLite: "delete * from", the joined "delete a.* from t a,(...) b where ...",
// #y-m-d# date literals, true as -1 and false as 0, a bare "group" column in an order
// list, and names compared by their keys (NameKeys). Anything else passes through
// unchanged.
QString rewrite(const QString& dialectSql);

// Registers format(value, pattern), DatePart(interval, value), DateAdd('d', days, value)
// and a round() that rounds halves to the even neighbour, with the original engine's
// meaning.
void registerFunctions(sqlite3* db);

// The week DatePart('ww') gives a date: weeks start on Sunday, week 1 holds 1 January.
int weekOfYear(const QDate& date);

// A whole number, halves to the even neighbour, as round(value, 0) gives it.
double roundHalfEven(double value);

} // namespace store::JetSql
