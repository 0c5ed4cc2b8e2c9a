#include "measure/PeriodLabel.h"

#include <gtest/gtest.h>

namespace {

using measure::AnalysisMode;

const measure::PeriodWords english{"Week %1, %2", QLocale(QLocale::English)};
const measure::PeriodWords german{"Woche %1, %2", QLocale(QLocale::German)};
const QLocale us(QLocale::English, QLocale::UnitedStates);
const QLocale germany(QLocale::German, QLocale::Germany);

TEST(PeriodLabel, ReadsThePeriodTextInTheLanguageAndTheDateFormat) {
    struct Case {
        AnalysisMode mode;
        QVariant period;
        const measure::PeriodWords& words;
        const QLocale& dates;
        QString label;
    };
    const Case cases[] = {
        {AnalysisMode::Day, "2026-12-01", english, us, "12/1/2026"},
        {AnalysisMode::Day, "2026-12-01", english, germany, "01.12.2026"},
        // A week is named by its Saturday: 3 January 2026 ends week 1 of 2026.
        {AnalysisMode::Week, "2026-01-03", english, us, "Week 1, 2026"},
        {AnalysisMode::Week, "2026-01-03", german, us, "Woche 1, 2026"},
        {AnalysisMode::Week, "2011-12-31", english, germany, "Week 53, 2011"},
        {AnalysisMode::Month, "2026-12", english, germany, "December 2026"},
        {AnalysisMode::Month, "2026-12", german, us, "Dezember 2026"},
        {AnalysisMode::Month, "2026-13", german, us, "2026-13"},
        {AnalysisMode::Week, "soon", english, us, "soon"},
        {AnalysisMode::Time, "2026-12-01", english, us, "2026-12-01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(measure::periodLabel(c.mode, c.period, c.words, c.dates), c.label)
            << int(c.mode) << " " << qPrintable(c.period.toString());
}

} // namespace
