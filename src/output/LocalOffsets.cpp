#include "output/LocalOffsets.h"

#include <QDateTime>

namespace output {

namespace {

// The day's offset when it holds from six hours before the day to six hours after it. Offsets
// change a few times a year and by an hour or two, so the ends of that stretch tell.
std::optional<int> ordinaryDayOffset(const QDate& day) {
    const QDateTime start(day, QTime(0, 0));
    const QDateTime end(day.addDays(1), QTime(0, 0));
    if (!start.isValid() || !end.isValid() || start.time() != QTime(0, 0) ||
        end.time() != QTime(0, 0))
        return std::nullopt;
    const int offset = start.offsetFromUtc();
    constexpr qint64 margin = 6 * 3600;
    const auto offsetAt = [](qint64 secsSinceEpoch) {
        return QDateTime::fromSecsSinceEpoch(secsSinceEpoch).offsetFromUtc();
    };
    if (end.offsetFromUtc() != offset || offsetAt(start.toSecsSinceEpoch() - margin) != offset ||
        offsetAt(end.toSecsSinceEpoch() + margin) != offset)
        return std::nullopt;
    return offset;
}

} // namespace

std::optional<int> LocalOffsets::ofDay(const QDate& day) {
    if (day.toJulianDay() != day_) {
        day_ = day.toJulianDay();
        offset_ = ordinaryDayOffset(day);
    }
    return offset_;
}

} // namespace output
