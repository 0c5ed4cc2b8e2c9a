#include "readings/DateReading.h"

#include "readings/DateText.h"
#include "readings/Reading.h"
#include "store/DateFormat.h"

namespace readings {

namespace {

constexpr qint64 kMillisecondsFrom = 100'000'000'000;
// 9999-12-31 23:59:59 in milliseconds since 1970, the last moment any reader takes.
constexpr qint64 kLastMillisecond = 253'402'300'799'999;

std::optional<QDateTime> fromUnixTime(qint64 value, EpochUnit unit) {
    const qint64 limit = unit == EpochUnit::Seconds ? kLastMillisecond / 1000 : kLastMillisecond;
    if (value < 0 || value > limit)
        return std::nullopt;
    const qint64 ms = unit == EpochUnit::Seconds ? value * 1000 : value;
    return wallClock(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toLocalTime());
}

} // namespace

void DateSurvey::add(QStringView dateText) {
    const QStringView text = dateText.trimmed();
    if (text.isEmpty())
        return;
    dates_ = true;
    if (const auto value = datetext::integer(text)) {
        milliseconds_ = milliseconds_ || *value >= kMillisecondsFrom;
        return;
    }
    integers_ = false;
    const auto date = datetext::numericDate(text);
    if (!date || !date->slashed())
        return;
    slashed_ = true;
    dayFirst_ = dayFirst_ || date->first > 12;
    monthFirst_ = monthFirst_ || date->second > 12;
}

EpochUnit DateSurvey::epochUnit() const {
    if (!dates_ || !integers_)
        return EpochUnit::None;
    return milliseconds_ ? EpochUnit::Milliseconds : EpochUnit::Seconds;
}

std::optional<DateOrder> DateSurvey::order() const {
    if (dayFirst_ == monthFirst_)
        return std::nullopt;
    return dayFirst_ ? DateOrder::DayFirst : DateOrder::MonthFirst;
}

DateOrder localeOrder(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    return format.indexOf(u'M') < format.indexOf(u'd') ? DateOrder::MonthFirst
                                                       : DateOrder::DayFirst;
}

MomentReader::MomentReader(const Settings& settings)
    : settings_(settings), am_(settings.locale.amText()), pm_(settings.locale.pmText()) {
    const QLocale& locale = settings.locale;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    for (const QString& date : {store::withFourDigitYear(shortDate), shortDate})
        localeFormats_ << date + u' ' + shortTime;
    for (const QString& date : {store::withFourDigitYear(shortDate), shortDate})
        localeFormats_ << date;
    localeFormats_.removeDuplicates();
}

std::optional<QDate> MomentReader::dateOf(int first, int second, int third, bool yearFirst,
                                          bool dayFirst, int thirdDigits) const {
    if (yearFirst)
        return QDate(first, second, third);
    int year = third;
    if (thirdDigits == 2) {
        year += 2000;
        if (year > settings_.currentYear)
            year -= 100;
    } else if (thirdDigits != 4) {
        return std::nullopt;
    }
    return dayFirst ? QDate(year, second, first) : QDate(year, first, second);
}

MomentReader::Shape MomentReader::builtIn(QStringView text, QDateTime& moment) const {
    const auto date = datetext::numericDate(text);
    if (!date || (date->separator == u'-' && !date->yearFirst()))
        return Shape::Other;
    const bool dayFirst =
        date->separator == u'.' || (date->slashed() && settings_.order == DateOrder::DayFirst);
    if (date->yearFirst() && date->thirdDigits > 2)
        return Shape::Unreadable;
    const auto day = dateOf(date->first, date->second, date->third, date->yearFirst(), dayFirst,
                            date->thirdDigits);
    if (!day || !day->isValid())
        return Shape::Unreadable;
    QStringView rest = text.mid(date->end);
    if (rest.isEmpty()) {
        moment = QDateTime(*day, QTime(0, 0), Qt::UTC);
        return Shape::Read;
    }
    // The time stands apart from the date: after a T, a comma or a blank.
    if (rest[0] == u'T' || rest[0] == u',')
        rest = rest.mid(1);
    else if (!datetext::isBlank(rest[0]))
        return Shape::Unreadable;
    const QStringView clockText = rest.trimmed();
    const auto clock = datetext::clockTime(clockText, am_, pm_);
    if (!clock)
        return Shape::Unreadable;
    if (clock->offsetSeconds)
        moment = wallClock(
            QDateTime(*day, clock->time, Qt::OffsetFromUTC, *clock->offsetSeconds).toLocalTime());
    else
        moment = QDateTime(*day, clock->time, Qt::UTC);
    return moment.isValid() ? Shape::Read : Shape::Unreadable;
}

std::optional<QDateTime> MomentReader::inLocale(QStringView text) const {
    const QString whole = text.toString();
    for (const QString& format : localeFormats_) {
        const QDateTime moment = settings_.locale.toDateTime(whole, format);
        if (moment.isValid())
            return wallClock(moment);
    }
    return std::nullopt;
}

std::optional<QDateTime> MomentReader::dateTime(QStringView text) const {
    const QStringView trimmed = text.trimmed();
    if (settings_.epoch != EpochUnit::None) {
        const auto value = datetext::integer(trimmed);
        return value ? fromUnixTime(*value, settings_.epoch) : std::nullopt;
    }
    QDateTime moment;
    switch (builtIn(trimmed, moment)) {
    case Shape::Read:
        return moment;
    case Shape::Unreadable:
        return std::nullopt;
    case Shape::Other:
        break;
    }
    return inLocale(trimmed);
}

std::optional<QDate> MomentReader::date(QStringView text) const {
    const auto moment = dateTime(text);
    if (!moment || moment->time() != QTime(0, 0))
        return std::nullopt;
    return moment->date();
}

std::optional<QTime> MomentReader::time(QStringView text) const {
    const QStringView trimmed = text.trimmed();
    const auto clock = datetext::clockTime(trimmed, am_, pm_);
    if (clock && !clock->offsetSeconds)
        return clock->time;
    const QTime inLocale = settings_.locale.toTime(
        trimmed.toString(), settings_.locale.timeFormat(QLocale::ShortFormat));
    return inLocale.isValid() ? std::optional(inLocale) : std::nullopt;
}

} // namespace readings
