#pragma once

#include <QString>
#include <QVector>

namespace readings {

// The two classification schemes offered for office readings.
enum class Scheme { Esh2023, AccAha2017 };

// Categories of both schemes, in rising order inside each scheme. Isolated systolic
// hypertension stands apart: systolic 140 or more with diastolic below 90.
enum class Category {
    EshOptimal,
    EshNormal,
    EshHighNormal,
    EshGrade1,
    EshGrade2,
    EshGrade3,
    EshIsolatedSystolic,
    AccNormal,
    AccElevated,
    AccStage1,
    AccStage2,
    AccCrisis,
};

// The category of one pair of values; when systolic and diastolic fall in different
// categories, the higher one counts.
Category categorize(Scheme scheme, double systolic, double diastolic);

// The guideline's name, the same in every language.
QString schemeName(Scheme scheme);

// The categories of a scheme in rising order, isolated systolic hypertension last.
QVector<Category> categoriesOf(Scheme scheme);

// The message key of the category's name in the language table.
QString categoryKey(Category category);

// The lowest office values that count as hypertension: 140/90 for ESH, 130/80 for ACC/AHA.
struct Threshold {
    int systolic;
    int diastolic;
};
Threshold hypertensionThreshold(Scheme scheme);

// Home readings: a mean at or above 135/85 is raised, whatever the scheme.
bool homeRaised(double systolic, double diastolic);

} // namespace readings
