#pragma once

#include <utility>

namespace store {

// The risk-factor flags of bp_userinfo with their captions before translation, in the
// order the person dialog shows them (as check boxes "chk_<column>").
inline constexpr std::pair<const char*, const char*> kRiskFactors[] = {
    {"smoker", "Smoker"},
    {"alcohol", "Alcohol"},
    {"overweight", "Overweight"},
    {"cholesterol_inc", "Raised cholesterol"},
    {"sodium_chloride", "Much salt"},
    {"exercise", "Lack of exercise"},
    {"sugar_increased", "Raised blood sugar"},
    {"diabetic", "Diabetes"},
};

} // namespace store
