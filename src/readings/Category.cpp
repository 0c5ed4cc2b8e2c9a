#include "readings/Category.h"

#include <algorithm>
#include <array>

namespace readings {
namespace {

// Lower bounds of each step: the step is the count of bounds the value reaches.
int step(double value, const std::array<double, 5>& bounds) {
    return static_cast<int>(std::count_if(bounds.begin(), bounds.end(),
                                          [value](double bound) { return value >= bound; }));
}

Category esh(double systolic, double diastolic) {
    if (systolic >= 140 && diastolic < 90)
        return Category::EshIsolatedSystolic;
    const int s = step(systolic, {120, 130, 140, 160, 180});
    const int d = step(diastolic, {80, 85, 90, 100, 110});
    return static_cast<Category>(static_cast<int>(Category::EshOptimal) + std::max(s, d));
}

Category accAha(double systolic, double diastolic) {
    if (systolic > 180 || diastolic > 120)
        return Category::AccCrisis;
    if (systolic >= 140 || diastolic >= 90)
        return Category::AccStage2;
    if (systolic >= 130 || diastolic >= 80)
        return Category::AccStage1;
    if (systolic >= 120)
        return Category::AccElevated;
    return Category::AccNormal;
}

} // namespace

Category categorize(Scheme scheme, double systolic, double diastolic) {
    return scheme == Scheme::Esh2023 ? esh(systolic, diastolic) : accAha(systolic, diastolic);
}

QVector<Category> categoriesOf(Scheme scheme) {
    const Category first = scheme == Scheme::Esh2023 ? Category::EshOptimal : Category::AccNormal;
    const Category last =
        scheme == Scheme::Esh2023 ? Category::EshIsolatedSystolic : Category::AccCrisis;
    QVector<Category> result;
    for (int c = static_cast<int>(first); c <= static_cast<int>(last); ++c)
        result.append(static_cast<Category>(c));
    return result;
}

QString categoryKey(Category category) {
    static const char* const keys[] = {
        "category_optimal",  "category_normal", "category_high_normal", "category_grade1",
        "category_grade2",   "category_grade3", "category_isolated",    "category_normal",
        "category_elevated", "category_stage1", "category_stage2",      "category_crisis",
    };
    return QString::fromLatin1(keys[static_cast<int>(category)]);
}

Threshold hypertensionThreshold(Scheme scheme) {
    return scheme == Scheme::Esh2023 ? Threshold{140, 90} : Threshold{130, 80};
}

bool homeRaised(double systolic, double diastolic) {
    return systolic >= 135 || diastolic >= 85;
}

QString schemeName(Scheme scheme) {
    return scheme == Scheme::Esh2023 ? QStringLiteral("ESH 2023") : QStringLiteral("ACC/AHA 2017");
}

} // namespace readings
