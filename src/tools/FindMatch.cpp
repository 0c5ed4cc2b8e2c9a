#include "tools/FindMatch.h"

#include "store/Dataset.h"
#include "store/DateFormat.h"
#include "store/TextCollation.h"
#include "tools/Tfrmfind.h"

#include <QLocale>

namespace tools {

namespace {

std::optional<qlonglong> readInteger(const QString& entry) {
    bool ok = false;
    const qlonglong value = entry.trimmed().toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

bool textMatches(const QString& text, const QString& entry, MatchType match) {
    switch (match) {
    case MatchType::Beginning:
        return store::textStartsWith(text, entry);
    case MatchType::AnywhereIn:
        return store::textContains(text, entry);
    case MatchType::WholeField:
        return store::compareText(text, entry) == 0;
    }
    return false;
}

} // namespace

QString entryError(const QString& typeName, const QString& entry) {
    if (typeName == QLatin1String("boolean")) {
        const QString trimmed = entry.trimmed();
        if (trimmed != QLatin1String("1") && trimmed != QLatin1String("0"))
            return QStringLiteral("boolean_Content_error");
    } else if (typeName == QLatin1String("integer")) {
        if (!readInteger(entry))
            return QStringLiteral("integer_Content_error");
    } else if (typeName == QLatin1String("date")) {
        if (!readDateEntry(entry))
            return QStringLiteral("date_Content_error");
    }
    return {};
}

std::optional<QDateTime> readDateEntry(const QString& entry) {
    const QLocale locale;
    const QString dateFormat = store::withFourDigitYear(locale.dateFormat(QLocale::ShortFormat));
    const QString trimmed = entry.trimmed();
    const QDate date = locale.toDate(trimmed, dateFormat);
    if (date.isValid())
        return QDateTime(date, QTime(0, 0), Qt::UTC);
    // Stored moments are wall-clock readings; the entry is compared as one.
    for (const char* time : {" HH:mm:ss", " HH:mm"}) {
        const QDateTime moment = locale.toDateTime(trimmed, dateFormat + QLatin1String(time));
        if (moment.isValid())
            return QDateTime(moment.date(), moment.time(), Qt::UTC);
    }
    return std::nullopt;
}

bool recordMatches(const store::Dataset& rows, const TfindOp& field, const QString& entry,
                   MatchType match) {
    const QString& type = field.datatype;
    if (type == QLatin1String("boolean"))
        return rows.asBoolean(field.field) == (entry.trimmed() == QLatin1String("1"));
    if (type == QLatin1String("string"))
        return textMatches(rows.asString(field.field), entry.trimmed(), match);
    const QVariant value = rows.value(field.field);
    if (value.isNull() || !value.isValid())
        return false;
    if (type == QLatin1String("integer")) {
        const std::optional<qlonglong> wanted = readInteger(entry);
        return wanted && value.toLongLong() == *wanted;
    }
    if (type == QLatin1String("float")) {
        bool ok = false;
        const double wanted = QLocale().toDouble(entry.trimmed(), &ok);
        return ok && value.toDouble() == wanted;
    }
    if (type == QLatin1String("date")) {
        const std::optional<QDateTime> wanted = readDateEntry(entry);
        return wanted && rows.asDateTime(field.field) == *wanted;
    }
    return false;
}

} // namespace tools
