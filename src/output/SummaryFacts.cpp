#include "output/SummaryFacts.h"

#include "lang/ComponentText.h"
#include "lang/LanguageStore.h"
#include "output/ChartStyle.h"
#include "readings/ReadingRange.h"
#include "readings/Statistics.h"
#include "store/Dataset.h"
#include "store/RiskFactors.h"

namespace output {

namespace {

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
    // Each named by its check box in the person dialog.
    for (const auto& factor : store::kRiskFactors) {
        const QLatin1String column(factor.first);
        if (info.asBoolean(column))
            facts.riskFactors << lang::captionText(language, kPersonForm,
                                                   QStringLiteral("chk_") + column);
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
