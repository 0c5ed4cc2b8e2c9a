// Feeds date/time texts to the dialect's date functions, which read the stored shape
// "YYYY-MM-DD..." on its bytes and every other text through QDate. The same text with
// slashes in place of the two dashes takes the QDate path and must give the same result.
// Input: one byte choosing the expression, then the text, then after the first '|' the
// pattern, interval or number of days.
#include "store/JetSql.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <sqlite3.h>
#include <string>

namespace {

// ?1 is the text, ?2 the argument. Only the first shows a text that is no date.
const char* const kExpressions[] = {
    "format(?1,?2)",
    "DatePart(?2,?1)",
    "DateAdd('d',?2,?1)",
    "DateAdd(?2,1,?1)",
    "format(DateAdd('d',7-DatePart('w',?1),?1),?2)",
};

struct Outcome {
    bool failed = false;
    bool null = false;
    std::string bytes;
    bool operator==(const Outcome&) const = default;
};

sqlite3* database() {
    static sqlite3* db = [] {
        sqlite3* opened = nullptr;
        if (sqlite3_open(":memory:", &opened) != SQLITE_OK)
            std::abort();
        store::JetSql::registerFunctions(opened);
        return opened;
    }();
    return db;
}

Outcome run(const char* expression, const std::string& text, const std::string& argument) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database(), (std::string("select ") + expression).c_str(), -1,
                           &statement, nullptr) != SQLITE_OK)
        std::abort();
    sqlite3_bind_text(statement, 1, text.data(), int(text.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, argument.data(), int(argument.size()), SQLITE_TRANSIENT);
    Outcome outcome;
    if (sqlite3_step(statement) != SQLITE_ROW) {
        outcome.failed = true;
    } else if (sqlite3_column_type(statement, 0) == SQLITE_NULL) {
        outcome.null = true;
    } else {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, 0));
        outcome.bytes.assign(bytes ? bytes : "", std::size_t(sqlite3_column_bytes(statement, 0)));
    }
    sqlite3_finalize(statement);
    return outcome;
}

// Whether the QDate path reads a date from the text.
bool isDate(const std::string& text) {
    const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (decoded.size() > 10 && decoded[10] != u' ' && decoded[10] != u'T')
        return false;
    return QDate::fromString(decoded.left(10), Qt::ISODate).isValid();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 9)
        return 0;
    const char* expression = kExpressions[data[0] % std::size(kExpressions)];
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t bar = input.find('|');
    std::string stored = input.substr(0, bar);
    const std::string argument = bar == std::string::npos ? std::string() : input.substr(bar + 1);
    if (stored.size() < 8)
        return 0;
    stored[4] = stored[7] = '-';
    std::string slashed = stored;
    slashed[4] = slashed[7] = '/';
    const Outcome fast = run(expression, stored, argument);
    if (isDate(slashed)) {
        if (!(fast == run(expression, slashed, argument)))
            std::abort();
        return 0;
    }
    // No date on either path: format() shows the text as QString reads it, the others fail.
    Outcome general;
    if (expression == kExpressions[0])
        general.bytes = QString::fromUtf8(stored.data(), qsizetype(stored.size())).toStdString();
    else
        general.failed = true;
    if (!(fast == general))
        std::abort();
    return 0;
}
