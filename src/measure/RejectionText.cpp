#include "measure/RejectionText.h"

#include "lang/LanguageStore.h"

namespace measure {

QStringList rejectionLines(const lang::LanguageStore& language,
                           const readings::ImportSummary& summary) {
    QStringList lines;
    for (const readings::Rejection& rejection : summary.rejected) {
        QString reason = language.GetHintText(rejection.key);
        if (!rejection.text.isEmpty())
            reason += QStringLiteral(" [%1]").arg(rejection.text);
        lines << language.GetHintText(QStringLiteral("import_rejected_line"),
                                      {QString::number(rejection.line), reason});
    }
    if (const qint64 more = summary.rejectedCount - summary.rejected.size(); more > 0)
        lines << language.GetHintText(QStringLiteral("import_rejected_more"),
                                      {QString::number(more)});
    return lines;
}

QString summaryLine(const lang::LanguageStore& language, const readings::ImportSummary& summary) {
    return language.GetHintText(QStringLiteral("import_summary"),
                                {QString::number(summary.stored), QString::number(summary.skipped),
                                 QString::number(summary.rejectedCount)});
}

} // namespace measure
