#include "readings/Statistics.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using readings::Category;
using readings::Reading;
using readings::Scheme;

// The same figures from Python's statistics module, given the rows as text on stdin.
constexpr char pythonFigures[] = R"py(
import json, statistics, sys
rows = [list(map(int, line.split())) for line in sys.stdin if line.strip()]
def spread(values):
    return [statistics.mean(values), statistics.stdev(values), min(values), max(values)]
def means(picked):
    return [statistics.mean(r[1] for r in picked), statistics.mean(r[2] for r in picked)]
print(json.dumps({
    "sys": spread([r[1] for r in rows]),
    "dia": spread([r[2] for r in rows]),
    "pulse": spread([r[3] for r in rows if r[3] > 0]),
    "pp": statistics.mean(r[1] - r[2] for r in rows),
    "morning": means([r for r in rows if 4 <= r[0] <= 11]),
    "evening": means([r for r in rows if 18 <= r[0] <= 23]),
}))
)py";

QJsonObject python(const QVector<Reading>& readings) {
    QByteArray rows;
    for (const Reading& r : readings)
        rows += QByteArray::number(r.moment.time().hour()) + ' ' + QByteArray::number(r.systolic) +
                ' ' + QByteArray::number(r.diastolic) + ' ' +
                QByteArray::number(r.pulse.value_or(0)) + '\n';
    QProcess process;
    process.start(QStringLiteral("python3"),
                  {QStringLiteral("-c"), QString::fromLatin1(pythonFigures)});
    process.write(rows);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

void expectSpread(const readings::Spread& spread, const QJsonValue& expected, const char* name) {
    const QJsonArray e = expected.toArray();
    EXPECT_NEAR(spread.mean, e[0].toDouble(), 1e-9) << name;
    ASSERT_TRUE(spread.deviation) << name;
    EXPECT_NEAR(*spread.deviation, e[1].toDouble(), 1e-9) << name;
    EXPECT_EQ(spread.lowest, e[2].toInt()) << name;
    EXPECT_EQ(spread.highest, e[3].toInt()) << name;
}

TEST(Statistics, AgreesWithPythonOverRandomReadings) {
    QRandomGenerator random(26);
    QVector<Reading> readings;
    const QDateTime start(QDate(2024, 1, 1), QTime(0, 0));
    for (int i = 0; i < 500; ++i) {
        const int systolic = random.bounded(90, 200);
        Reading r{start.addSecs(i * 3600 + random.bounded(3600)), systolic,
                  random.bounded(50, systolic - 20), random.bounded(45, 120)};
        if (i % 7 == 0)
            r.pulse.reset();
        readings.append(r);
    }
    const readings::Statistics s = readings::computeStatistics(readings, Scheme::Esh2023);
    const QJsonObject expected = python(readings);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(s.count, 500);
    expectSpread(s.systolic, expected["sys"], "systolic");
    expectSpread(s.diastolic, expected["dia"], "diastolic");
    expectSpread(s.pulse, expected["pulse"], "pulse");
    EXPECT_EQ(s.pulse.count, 500 - 72);
    EXPECT_NEAR(s.pulsePressure, expected["pp"].toDouble(), 1e-9);
    EXPECT_NEAR(s.morning.systolic, expected["morning"][0].toDouble(), 1e-9);
    EXPECT_NEAR(s.morning.diastolic, expected["morning"][1].toDouble(), 1e-9);
    EXPECT_NEAR(s.evening.systolic, expected["evening"][0].toDouble(), 1e-9);
    EXPECT_NEAR(s.evening.diastolic, expected["evening"][1].toDouble(), 1e-9);
    int categorized = 0;
    for (int n : s.categories)
        categorized += n;
    EXPECT_EQ(categorized, 500);
}

Reading at(const QDate& day, const QTime& time, int systolic = 130, int diastolic = 80) {
    return {QDateTime(day, time), systolic, diastolic, 70};
}

TEST(Statistics, MorningAndEveningTakeTheirHoursInclusive) {
    const QDate day(2024, 3, 5);
    const QVector<Reading> readings = {
        at(day, QTime(3, 59, 59), 200),  at(day, QTime(4, 0), 120),
        at(day, QTime(11, 59, 59), 140), at(day, QTime(12, 0), 200),
        at(day, QTime(17, 59), 200),     at(day, QTime(18, 0), 110),
        at(day, QTime(23, 59, 59), 130),
    };
    const readings::Statistics s = readings::computeStatistics(readings, Scheme::Esh2023);
    EXPECT_EQ(s.morning.count, 2);
    EXPECT_DOUBLE_EQ(s.morning.systolic, 130);
    EXPECT_EQ(s.evening.count, 2);
    EXPECT_DOUBLE_EQ(s.evening.systolic, 120);
}

TEST(Statistics, HomeMeanLeavesOutTheFirstOfTheLastSevenDays) {
    const QDate first(2024, 4, 1);
    QVector<Reading> readings;
    // An older day and the first of the seven: high values that must not count.
    readings << at(first.addDays(-10), QTime(8, 0), 200, 110);
    readings << at(first, QTime(8, 0), 200, 110) << at(first, QTime(20, 0), 200, 110);
    // Six days with two readings each, with a day without readings in between.
    for (int d : {1, 2, 4, 5, 6, 7})
        readings << at(first.addDays(d), QTime(8, 0), 130, 80)
                 << at(first.addDays(d), QTime(20, 0), 140, 90);
    readings::Statistics s = readings::computeStatistics(readings, Scheme::Esh2023);
    ASSERT_TRUE(s.home);
    EXPECT_EQ(s.home->count, 12);
    EXPECT_DOUBLE_EQ(s.home->systolic, 135);
    EXPECT_DOUBLE_EQ(s.home->diastolic, 85);

    readings.removeLast();
    s = readings::computeStatistics(readings, Scheme::Esh2023);
    EXPECT_FALSE(s.home) << "11 readings are not enough";
}

TEST(Statistics, SharesCountEachReadingInItsCategory) {
    const QDate day(2024, 3, 5);
    const QVector<Reading> readings = {at(day, QTime(8, 0), 119, 79), at(day, QTime(9, 0), 150, 85),
                                       at(day, QTime(10, 0), 150, 85),
                                       at(day, QTime(11, 0), 181, 121)};
    const readings::Statistics s = readings::computeStatistics(readings, Scheme::AccAha2017);
    const QMap<Category, int> expected = {
        {Category::AccNormal, 1}, {Category::AccStage2, 2}, {Category::AccCrisis, 1}};
    EXPECT_EQ(s.categories, expected);
}

TEST(Statistics, NoReadingsGiveNoFigures) {
    const readings::Statistics s = readings::computeStatistics({}, Scheme::Esh2023);
    EXPECT_EQ(s.count, 0);
    EXPECT_FALSE(s.systolic.deviation);
    EXPECT_FALSE(s.home);
    EXPECT_TRUE(s.categories.isEmpty());
}

} // namespace
