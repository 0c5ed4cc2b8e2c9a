#pragma once

#include "readings/Category.h"
#include "readings/Reading.h"

#include <QMap>
#include <QVector>
#include <optional>

namespace readings {

// Figures of one value over a set of readings. The deviation is the sample standard
// deviation (divided by n - 1); it is empty below two values.
struct Spread {
    int count = 0;
    double mean = 0;
    std::optional<double> deviation;
    int lowest = 0;
    int highest = 0;
};

// Means of systolic and diastolic over a selection of readings.
struct Means {
    int count = 0;
    double systolic = 0;
    double diastolic = 0;
};

struct Statistics {
    int count = 0;
    Spread systolic;
    Spread diastolic;
    Spread pulse; // over the readings that have a pulse
    double pulsePressure = 0;
    Means morning; // 04:00 to 11:59
    Means evening; // 18:00 to 23:59
    // The last 7 days that have readings, the first of them left out; empty below 12
    // readings.
    std::optional<Means> home;
    QMap<Category, int> categories; // readings per category of the scheme
};

// The figures of the readings, unrounded, in any order.
Statistics computeStatistics(const QVector<Reading>& readings, Scheme scheme);

} // namespace readings
