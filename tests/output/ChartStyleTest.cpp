#include "output/ChartStyle.h"

#include <QCategoryAxis>
#include <gtest/gtest.h>

namespace {

// The positions that carry a label, each labelled by its number.
QList<double> labelled(int first, int last, const std::function<QString(int)>& label) {
    QCategoryAxis axis;
    axis.append("stale", 3);
    output::ChartStyle::labelDates(axis, first, last, label);
    QList<double> positions;
    for (const QString& name : axis.categoriesLabels())
        positions << axis.endValue(name);
    return positions;
}

QString number(int position) {
    return QString::number(position);
}

TEST(ChartStyle, DatesStandUnderTheEndsAndAboutFiveBetweenWithoutCrowdingTheLast) {
    const struct {
        int first, last;
        QList<double> positions;
    } cases[] = {
        {1, 24, {1, 5, 9, 13, 17, 21, 24}}, // 21 keeps its distance from 24
        {1, 84, {1, 17, 33, 49, 65, 84}},   // 81 would touch 84
        {13, 30, {13, 16, 19, 22, 25, 28, 30}}, {1, 4, {1, 2, 3, 4}}, {7, 7, {7}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(labelled(c.first, c.last, number), c.positions) << c.first << "-" << c.last;
}

TEST(ChartStyle, EachDateOnceAndUnknownDatesLeftOut) {
    // Two points a day; position 3 has no date.
    const auto day = [](int position) {
        return position == 3 ? QString() : QString("day %1").arg((position + 1) / 2);
    };
    EXPECT_EQ(labelled(1, 8, day), (QList<double>{1, 4, 5, 7}));
}

} // namespace
