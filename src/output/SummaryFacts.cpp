#include "output/SummaryFacts.h"

#include "lang/ComponentText.h"
#include "lang/LanguageStore.h"
#include "output/ChartStyle.h"
#include "readings/ReadingRange.h"
#include "readings/Statistics.h"
#include "store/Dataset.h"

namespace output {

namespace {

// The flags of bp_userinfo, each named by its check box in the person dialog.
const char* const kRiskFactors[] = {"smoker",          "alcohol",         "overweight",
                                    "cholesterol_inc", "sodium_chloride", "exercise",
                                    "sugar_increased", "diabetic"};

const QString kPersonForm = QStringLiteral("frm_user");

void addPerson(store::Database& db, const lang::LanguageStore& language, const QString& person,
               SummaryFacts& facts) {
    facts.fullName = person;
    store::Dataset info(db, store::WriteMode::Immediate);
    info.setCommandText(
        QStringLiteral("select * from bp_userinfo where lastname=:a1 order by id limit 1"));
    info.setParameter(QStringLiteral("a1"), person);
    info.open();
    if (info.isEmpty()) {
        facts.riskFactors << language.GetHintText(QStringLiteral("report_no_risk_factors"));
        return;
    }
    const QString first = info.asString(QStringLiteral("firstname")).trimmed();
    const QString last = info.asString(QStringLiteral("lastname")).trimmed();
    facts.fullName = first.isEmpty() ? last : first + QLatin1Char(' ') + last;
    const QDate birthday = info.asDateTime(QStringLiteral("birthday")).date();
    if (birthday.isValid())
        facts.person.append({language.GetHintText(QStringLiteral("report_col_birthday")),
                             ChartStyle::dateLabel(birthday)});
    const QString gender = info.asString(QStringLiteral("gender")).trimmed();
    if (!gender.isEmpty())
        facts.person.append(
            {language.GetHintText(QStringLiteral("report_col_gender")),
             lang::itemText(language, kPersonForm, QStringLiteral("comb_gender"), gender)});
    for (const char* flag : kRiskFactors) {
        if (info.asBoolean(QLatin1String(flag)))
            facts.riskFactors << lang::captionText(language, kPersonForm,
                                                   QStringLiteral("chk_") + QLatin1String(flag));
    }
    if (facts.riskFactors.isEmpty())
        facts.riskFactors << language.GetHintText(QStringLiteral("report_no_risk_factors"));
}

} // namespace

SummaryFacts summaryFacts(store::Database& db, const lang::LanguageStore& language,
                          const QString& person, const QDate& first, const QDate& last,
                          readings::Scheme scheme) {
    SummaryFacts facts;
    addPerson(db, language, person, facts);
    facts.riskTitle = lang::captionText(language, kPersonForm, QStringLiteral("grp_risk_factors"));
    facts.readings = readings::readingsInRange(db, person, first, last);
    facts.statisticsTitle = language.GetHintText(QStringLiteral("report_statistics"));
    facts.statistics =
        statisticsLines(readings::computeStatistics(facts.readings, scheme), scheme, language);
    facts.note =
        language.GetHintText(QStringLiteral("report_scheme"), {readings::schemeName(scheme)}) +
        QLatin1Char(' ') + language.GetHintText(QStringLiteral("stats_no_diagnosis"));
    facts.chartTitle = language.GetHintText(QStringLiteral("report_trend"));
    facts.threshold = readings::hypertensionThreshold(scheme);
    return facts;
}

} // namespace output
