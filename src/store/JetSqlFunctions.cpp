#include "DatabaseError.h"
#include "JetSql.h"
#include "StoredDate.h"

#include <QDate>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sqlite3.h>
#include <string_view>

namespace store::JetSql {

namespace {

QString textOf(sqlite3_value* value) {
    // The text first: asking for the length converts the value to that text.
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

void resultText(sqlite3_context* context, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

std::string_view bytesOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, std::size_t(sqlite3_value_bytes(value)))
                : std::string_view();
}

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// Whether an ASCII text equals a lower-case word without regard to case.
bool isWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? char(text[i] | 0x20) : text[i];
        if (c != word[i])
            return false;
    }
    return true;
}

// A short text handed to SQLite with its terminating NUL when it holds none, as SQLite's
// own functions do: a function that reads it next then finds it terminated and need not
// copy it.
void resultShortText(sqlite3_context* context, char* text, std::size_t size) {
    text[size] = '\0';
    const bool terminated = std::memchr(text, '\0', size) == nullptr;
    sqlite3_result_text(context, text, terminated ? -1 : int(size), SQLITE_TRANSIENT);
}

// Every query of the Data page calls the date functions for each row, and stored
// values have one shape: that shape is read and written on its bytes. Anything else
// takes the general path through QDate, which gives the same results for that shape.
constexpr std::size_t kShortText = 64;

bool formatStored(sqlite3_context* context, sqlite3_value** argv) {
    const std::optional<StoredDate::Day> day = StoredDate::read(bytesOf(argv[0]));
    const std::string_view pattern = bytesOf(argv[1]);
    char text[kShortText + 1];
    if (!day || pattern.size() > kShortText || !StoredDate::format(*day, pattern, text))
        return false;
    resultShortText(context, text, pattern.size());
    return true;
}

bool datePartStored(sqlite3_context* context, sqlite3_value** argv) {
    const std::optional<StoredDate::Day> day = StoredDate::read(bytesOf(argv[1]));
    if (!day)
        return false;
    const std::string_view interval = bytesOf(argv[0]);
    int part = 0;
    if (isWord(interval, "yyyy")) {
        part = day->year;
    } else if (isWord(interval, "q")) {
        part = (day->month + 2) / 3;
    } else if (isWord(interval, "m")) {
        part = day->month;
    } else if (isWord(interval, "d")) {
        part = day->day;
    } else if (isWord(interval, "w")) {
        part = StoredDate::weekday(*day) + 1;
    } else if (isWord(interval, "ww")) {
        part = StoredDate::weekOfYear(*day);
    } else {
        return false;
    }
    sqlite3_result_int(context, part);
    return true;
}

bool dateAddStored(sqlite3_context* context, sqlite3_value** argv) {
    const std::string_view value = bytesOf(argv[2]);
    const std::optional<StoredDate::Day> day = StoredDate::read(value);
    if (!day || !isWord(bytesOf(argv[0]), "d") || value.size() > kShortText ||
        !isAscii(value.substr(10)) || sqlite3_value_numeric_type(argv[1]) != SQLITE_INTEGER)
        return false;
    const std::optional<StoredDate::Day> moved =
        StoredDate::addDays(*day, sqlite3_value_int64(argv[1]));
    if (!moved)
        return false;
    char text[kShortText + 1];
    StoredDate::writeIso(*moved, text);
    value.substr(10).copy(text + 10, value.size() - 10);
    resultShortText(context, text, value.size());
    return true;
}

// The date of a stored date/time text "YYYY-MM-DD HH:MM:SS" or "YYYY-MM-DD".
std::optional<QDate> dateOf(sqlite3_value* value) {
    const QString text = textOf(value);
    if (text.size() > 10 && text[10] != u' ' && text[10] != u'T') {
        return std::nullopt;
    }
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// format(value, pattern): the date of value written with a pattern of "dd", "MM" and
// "yyyy" joined by separators. A value that is no date comes back as its text.
void formatFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        return sqlite3_result_null(context);
    }
    if (formatStored(context, argv)) {
        return;
    }
    const std::optional<QDate> date = dateOf(argv[0]);
    if (!date) {
        return resultText(context, textOf(argv[0]));
    }
    const QString pattern = textOf(argv[1]);
    QString text;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (!c.isLetter()) {
            text += c;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) {
            ++run;
        }
        const QStringView field = QStringView(pattern).sliced(i, run);
        if (field == u"dd") {
            text += QString::number(date->day()).rightJustified(2, u'0');
        } else if (field == u"MM") {
            text += QString::number(date->month()).rightJustified(2, u'0');
        } else if (field == u"yyyy") {
            text += QString::number(date->year()).rightJustified(4, u'0');
        } else {
            return sqlite3_result_error(context, "format(): unsupported date pattern", -1);
        }
        i += run;
    }
    resultText(context, text);
}

// DatePart(interval, value) for the intervals 'yyyy', 'q', 'm', 'd', 'w' and 'ww'.
void datePartFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        return sqlite3_result_null(context);
    }
    if (datePartStored(context, argv)) {
        return;
    }
    const std::optional<QDate> date = dateOf(argv[1]);
    if (!date) {
        return sqlite3_result_error(context, "DatePart(): not a date", -1);
    }
    const QString interval = textOf(argv[0]).toLower();
    int part = 0;
    if (interval == u"yyyy") {
        part = date->year();
    } else if (interval == u"q") {
        part = (date->month() + 2) / 3;
    } else if (interval == u"m") {
        part = date->month();
    } else if (interval == u"d") {
        part = date->day();
    } else if (interval == u"w") {
        part = date->dayOfWeek() % 7 + 1;
    } else if (interval == u"ww") {
        part = weekOfYear(*date);
    } else {
        return sqlite3_result_error(context, "DatePart(): unsupported interval", -1);
    }
    sqlite3_result_int(context, part);
}

// DateAdd('d', days, value): the date/time text of value moved by whole days, the time
// of day kept.
void dateAddFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL || sqlite3_value_type(argv[2]) == SQLITE_NULL) {
        return sqlite3_result_null(context);
    }
    if (dateAddStored(context, argv)) {
        return;
    }
    if (textOf(argv[0]).toLower() != u"d") {
        return sqlite3_result_error(context, "DateAdd(): unsupported interval", -1);
    }
    const std::optional<QDate> date = dateOf(argv[2]);
    if (!date || sqlite3_value_numeric_type(argv[1]) != SQLITE_INTEGER) {
        return sqlite3_result_error(context, "DateAdd(): not a date or a number of days", -1);
    }
    const QDate moved = date->addDays(sqlite3_value_int64(argv[1]));
    resultText(context, moved.toString(Qt::ISODate) + textOf(argv[2]).mid(10));
}

// round(x [, digits]): halves go to the even neighbour. With no digits or 0 digits the
// result is an integer.
void roundFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const int type = sqlite3_value_numeric_type(argv[0]);
    if (type == SQLITE_NULL || (argc == 2 && sqlite3_value_type(argv[1]) == SQLITE_NULL)) {
        return sqlite3_result_null(context);
    }
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        return sqlite3_result_error(context, "round(): not a number", -1);
    }
    const int digits = argc == 2 ? sqlite3_value_int(argv[1]) : 0;
    if (digits < 0) {
        return sqlite3_result_error(context, "round(): negative number of digits", -1);
    }
    if (type == SQLITE_INTEGER) {
        return sqlite3_result_value(context, argv[0]);
    }
    const double value = sqlite3_value_double(argv[0]);
    const double scale = std::pow(10.0, digits);
    const double scaled = value * scale;
    if (!std::isfinite(scaled)) {
        return sqlite3_result_double(context, value);
    }
    // From 1e15 on the 15-digit decimal no longer holds the fraction.
    const double rounded =
        std::fabs(scaled) < 1e15 ? roundHalfEven(scaled) : std::nearbyint(scaled);
    if (digits == 0 && std::fabs(rounded) < 0x1p63) {
        return sqlite3_result_int64(context, sqlite3_int64(rounded));
    }
    sqlite3_result_double(context, rounded / scale);
}

using Function = void (*)(sqlite3_context*, int, sqlite3_value**);

void define(sqlite3* db, const char* name, int argc, Function function) {
    if (sqlite3_create_function_v2(db, name, argc, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   function, nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

} // namespace

int weekOfYear(const QDate& date) {
    return StoredDate::weekOfYear(date.dayOfYear(), QDate(date.year(), 1, 1).dayOfWeek() % 7);
}

// The value is taken as the 15-digit decimal it shows, so 267.49999999999997
// (2.675 * 100) counts as a half.
double roundHalfEven(double value) {
    char decimal[32];
    std::snprintf(decimal, sizeof decimal, "%.15g", value);
    return std::nearbyint(std::strtod(decimal, nullptr));
}

void registerFunctions(sqlite3* db) {
    define(db, "format", 2, formatFunction);
    define(db, "DatePart", 2, datePartFunction);
    define(db, "DateAdd", 3, dateAddFunction);
    define(db, "round", 1, roundFunction);
    define(db, "round", 2, roundFunction);
}

} // namespace store::JetSql
