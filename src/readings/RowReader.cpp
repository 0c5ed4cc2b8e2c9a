#include "readings/RowReader.h"

#include <algorithm>

namespace readings {

namespace {

constexpr int kMostDigits = 6;

QStringView fieldText(const QStringList& fields, int column) {
    return column >= 0 ? QStringView(fields[column]).trimmed() : QStringView();
}

} // namespace

std::optional<int> wholeNumber(QStringView text) {
    const QStringView trimmed = text.trimmed();
    qsizetype at = 0;
    int value = 0;
    while (at < trimmed.size() && at < kMostDigits && trimmed[at] >= u'0' && trimmed[at] <= u'9')
        value = value * 10 + (trimmed[at++].unicode() - '0');
    if (at == 0)
        return std::nullopt;
    if (at < trimmed.size() && (trimmed[at] == u'.' || trimmed[at] == u',')) {
        const QStringView fraction = trimmed.mid(at + 1);
        if (fraction.isEmpty() || fraction.count(u'0') != fraction.size())
            return std::nullopt;
        at = trimmed.size();
    }
    return at == trimmed.size() ? std::optional(value) : std::nullopt;
}

std::optional<bool> markOf(QStringView text) {
    static constexpr QLatin1StringView yes[] = {
        QLatin1StringView("true"), QLatin1StringView("1"),  QLatin1StringView("-1"),
        QLatin1StringView("yes"),  QLatin1StringView("y"),  QLatin1StringView("x"),
        QLatin1StringView("wahr"), QLatin1StringView("ja"), QLatin1StringView("j")};
    static constexpr QLatin1StringView no[] = {
        QLatin1StringView(""),    QLatin1StringView("false"), QLatin1StringView("0"),
        QLatin1StringView("no"),  QLatin1StringView("n"),     QLatin1StringView("falsch"),
        QLatin1StringView("nein")};
    const QStringView word = text.trimmed();
    const auto isWord = [word](QLatin1StringView known) {
        return word.compare(known, Qt::CaseInsensitive) == 0;
    };
    if (std::any_of(std::begin(yes), std::end(yes), isWord))
        return true;
    if (std::any_of(std::begin(no), std::end(no), isWord))
        return false;
    return std::nullopt;
}

RowReader::RowReader(const ColumnMapping& mapping, const MomentReader& moments)
    : mapping_(mapping), moments_(moments) {}

QString RowReader::momentText(const QStringList& fields) const {
    const QString date = fieldText(fields, mapping_.dateColumn()).toString();
    const int time = mapping_.timeColumn();
    return time < 0 ? date : date + u' ' + fieldText(fields, time).toString();
}

std::variant<QDateTime, Rejection> RowReader::moment(const QStringList& fields) const {
    const QStringView dateText = fieldText(fields, mapping_.dateColumn());
    const int timeColumn = mapping_.timeColumn();
    if (timeColumn < 0 || moments_.readsUnixTime()) {
        if (const auto moment = moments_.dateTime(dateText))
            return *moment;
        return Rejection{0, QStringLiteral("import_date_unreadable"), dateText.toString()};
    }
    const auto date = moments_.date(dateText);
    if (!date)
        return Rejection{0, QStringLiteral("import_date_unreadable"), dateText.toString()};
    const QStringView timeText = fieldText(fields, timeColumn);
    const auto time = moments_.time(timeText);
    if (!time)
        return Rejection{0, QStringLiteral("import_time_unreadable"), timeText.toString()};
    return QDateTime(*date, *time, Qt::UTC);
}

std::variant<Reading, Rejection> RowReader::read(const QStringList& fields,
                                                 const QDateTime& now) const {
    if (fields.size() < mapping_.width())
        return Rejection{0, QStringLiteral("import_fields_missing"),
                         QString::number(fields.size())};
    Reading reading;
    const QStringView systolic = fieldText(fields, mapping_[Field::Systolic]);
    const QStringView diastolic = fieldText(fields, mapping_[Field::Diastolic]);
    const QStringView pulse = fieldText(fields, mapping_[Field::Pulse]);
    const QStringView mark = fieldText(fields, mapping_[Field::Mark]);
    const auto systolicValue = wholeNumber(systolic);
    if (!systolicValue)
        return Rejection{0, QStringLiteral("import_systolic_unreadable"), systolic.toString()};
    const auto diastolicValue = wholeNumber(diastolic);
    if (!diastolicValue)
        return Rejection{0, QStringLiteral("import_diastolic_unreadable"), diastolic.toString()};
    if (!pulse.isEmpty()) {
        reading.pulse = wholeNumber(pulse);
        if (!reading.pulse)
            return Rejection{0, QStringLiteral("import_pulse_unreadable"), pulse.toString()};
    }
    const auto marked = markOf(mark);
    if (!marked)
        return Rejection{0, QStringLiteral("import_mark_unreadable"), mark.toString()};
    auto moment = this->moment(fields);
    if (auto* rejection = std::get_if<Rejection>(&moment))
        return *rejection;
    reading.moment = std::get<QDateTime>(moment);
    reading.systolic = *systolicValue;
    reading.diastolic = *diastolicValue;
    reading.mark = *marked;
    const QStringList problems = check(reading, now);
    if (problems.isEmpty())
        return reading;
    const QString& key = problems.first();
    const auto names = [&key](const char* field) {
        return key.startsWith(QLatin1String("reading_") + QLatin1String(field));
    };
    const QString text = names("systolic")    ? systolic.toString()
                         : names("diastolic") ? diastolic.toString()
                         : names("pulse")     ? pulse.toString()
                                              : momentText(fields);
    return Rejection{0, key, text};
}

} // namespace readings
