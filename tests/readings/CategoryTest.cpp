#include "readings/Category.h"

#include <gtest/gtest.h>

namespace {

using readings::Category;
using readings::Scheme;

struct BoundaryCase {
    double systolic;
    double diastolic;
    Category esh;
    Category accAha;
};

TEST(Category, BoundariesInBothSchemes) {
    const BoundaryCase cases[] = {
        {119, 79, Category::EshOptimal, Category::AccNormal},
        {120, 79, Category::EshNormal, Category::AccElevated},
        {119, 80, Category::EshNormal, Category::AccStage1},
        {120, 80, Category::EshNormal, Category::AccStage1},
        {129, 84, Category::EshNormal, Category::AccStage1},
        {129, 79, Category::EshNormal, Category::AccElevated},
        {130, 85, Category::EshHighNormal, Category::AccStage1},
        {139, 89, Category::EshHighNormal, Category::AccStage1},
        {140, 90, Category::EshGrade1, Category::AccStage2},
        {159, 99, Category::EshGrade1, Category::AccStage2},
        {160, 100, Category::EshGrade2, Category::AccStage2},
        {179, 109, Category::EshGrade2, Category::AccStage2},
        {180, 110, Category::EshGrade3, Category::AccStage2},
        {180, 120, Category::EshGrade3, Category::AccStage2},
        {181, 121, Category::EshGrade3, Category::AccCrisis},
        {181, 100, Category::EshGrade3, Category::AccCrisis},
        {150, 121, Category::EshGrade3, Category::AccCrisis},
        {150, 85, Category::EshIsolatedSystolic, Category::AccStage2},
        {140, 89, Category::EshIsolatedSystolic, Category::AccStage2},
        {139, 90, Category::EshGrade1, Category::AccStage2},
        {119, 100, Category::EshGrade2, Category::AccStage2},
        {129.9, 79.9, Category::EshNormal, Category::AccElevated},
    };
    for (const BoundaryCase& c : cases) {
        EXPECT_EQ(readings::categorize(Scheme::Esh2023, c.systolic, c.diastolic), c.esh)
            << c.systolic << '/' << c.diastolic;
        EXPECT_EQ(readings::categorize(Scheme::AccAha2017, c.systolic, c.diastolic), c.accAha)
            << c.systolic << '/' << c.diastolic;
    }
}

TEST(Category, HomeThresholdIsEitherValue) {
    EXPECT_FALSE(readings::homeRaised(134.9, 84.9));
    EXPECT_TRUE(readings::homeRaised(135, 70));
    EXPECT_TRUE(readings::homeRaised(120, 85));
}

} // namespace
