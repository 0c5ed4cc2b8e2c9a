#include "readings/Statistics.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <set>

namespace readings {
namespace {

constexpr int homeDays = 7;
constexpr int homeLeastReadings = 12;

Spread spread(const QVector<int>& values) {
    Spread s;
    s.count = static_cast<int>(values.size());
    if (values.isEmpty())
        return s;
    double sum = 0;
    for (int v : values)
        sum += v;
    s.mean = sum / s.count;
    if (s.count > 1) {
        double squares = 0;
        for (int v : values)
            squares += (v - s.mean) * (v - s.mean);
        s.deviation = std::sqrt(squares / (s.count - 1));
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    s.lowest = *low;
    s.highest = *high;
    return s;
}

template <typename Pick> Means means(const QVector<Reading>& readings, Pick pick) {
    Means m;
    for (const Reading& r : readings) {
        if (!pick(r))
            continue;
        ++m.count;
        m.systolic += r.systolic;
        m.diastolic += r.diastolic;
    }
    if (m.count > 0) {
        m.systolic /= m.count;
        m.diastolic /= m.count;
    }
    return m;
}

bool hourWithin(const Reading& r, int first, int last) {
    const int hour = r.moment.time().hour();
    return hour >= first && hour <= last;
}

std::optional<Means> homeMeans(const QVector<Reading>& readings) {
    std::set<QDate> days;
    for (const Reading& r : readings)
        days.insert(r.moment.date());
    while (days.size() > homeDays)
        days.erase(days.begin());
    if (!days.empty())
        days.erase(days.begin());
    const Means m =
        means(readings, [&days](const Reading& r) { return days.count(r.moment.date()) > 0; });
    if (m.count < homeLeastReadings)
        return std::nullopt;
    return m;
}

} // namespace

Statistics computeStatistics(const QVector<Reading>& readings, Scheme scheme) {
    Statistics s;
    s.count = static_cast<int>(readings.size());
    QVector<int> systolic, diastolic, pulse;
    double pressure = 0;
    for (const Reading& r : readings) {
        systolic.append(r.systolic);
        diastolic.append(r.diastolic);
        if (r.pulse)
            pulse.append(*r.pulse);
        pressure += r.systolic - r.diastolic;
        ++s.categories[categorize(scheme, r.systolic, r.diastolic)];
    }
    s.systolic = spread(systolic);
    s.diastolic = spread(diastolic);
    s.pulse = spread(pulse);
    if (s.count > 0)
        s.pulsePressure = pressure / s.count;
    s.morning = means(readings, [](const Reading& r) { return hourWithin(r, 4, 11); });
    s.evening = means(readings, [](const Reading& r) { return hourWithin(r, 18, 23); });
    s.home = homeMeans(readings);
    return s;
}

} // namespace readings
