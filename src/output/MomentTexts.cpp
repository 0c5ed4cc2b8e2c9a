#include "output/MomentTexts.h"

namespace output {

namespace {

constexpr int secondsPerDay = 24 * 3600;

char* twoDigits(char* at, int value) {
    at[0] = char('0' + value / 10);
    at[1] = char('0' + value % 10);
    return at + 2;
}

// "yyyy-MM-ddTHH:mm:ss" of a year with four digits.
char* dateTimeText(char* at, const QDate& day, int seconds) {
    int year = 0;
    int month = 0;
    int dayOfMonth = 0;
    day.getDate(&year, &month, &dayOfMonth);
    at = twoDigits(twoDigits(at, year / 100), year % 100);
    *at++ = '-';
    at = twoDigits(at, month);
    *at++ = '-';
    at = twoDigits(at, dayOfMonth);
    *at++ = 'T';
    at = twoDigits(at, seconds / 3600);
    *at++ = ':';
    at = twoDigits(at, seconds / 60 % 60);
    *at++ = ':';
    return twoDigits(at, seconds % 60);
}

char* offsetText(char* at, int offset) {
    const int minutes = qAbs(offset) / 60;
    *at++ = offset < 0 ? '-' : '+';
    at = twoDigits(at, minutes / 60);
    *at++ = ':';
    return twoDigits(at, minutes % 60);
}

} // namespace

void MomentTexts::set(const QDateTime& moment) {
    // A moment's wall clock is the local one when it lies on an ordinary day with that day's
    // offset; one day either side of it still has four digits.
    const QDate day = moment.date();
    const std::optional<int> offset =
        day.year() > 1000 && day.year() < 9999 ? offsets_.ofDay(day) : std::nullopt;
    if (offset && (moment.timeSpec() == Qt::LocalTime || moment.offsetFromUtc() == *offset)) {
        const int seconds = moment.time().msecsSinceStartOfDay() / 1000;
        local_ = {localText_, offsetText(dateTimeText(localText_, day, seconds), *offset)};
        const int utcSeconds = seconds - *offset;
        const int shift = utcSeconds < 0 ? -1 : utcSeconds >= secondsPerDay ? 1 : 0;
        char* end = dateTimeText(utcText_, day.addDays(shift), utcSeconds - shift * secondsPerDay);
        *end++ = 'Z';
        utc_ = {utcText_, end};
        return;
    }
    const QDateTime local = moment.toLocalTime();
    char zone[6];
    otherLocal_ = local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1();
    otherLocal_.append(zone, offsetText(zone, local.offsetFromUtc()) - zone);
    otherUtc_ = moment.toUTC().toString(Qt::ISODate).toLatin1();
    local_ = otherLocal_;
    utc_ = otherUtc_;
}

} // namespace output
