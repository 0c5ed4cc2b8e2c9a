#include "output/ShowReport.h"

#include "lang/LanguageStore.h"
#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/ReportDocument.h"
#include "output/ScreenDestination.h"
#include "store/DatabaseError.h"

#include <QDir>

namespace output {

namespace {

QString templateErrorKey(TemplateError::Kind kind) {
    switch (kind) {
    case TemplateError::Kind::Missing:
        return QStringLiteral("report_template_missing");
    case TemplateError::Kind::Unreadable:
        return QStringLiteral("report_template_unreadable");
    default:
        return QStringLiteral("report_template_malformed");
    }
}

} // namespace

QString templateErrorText(const lang::LanguageStore& language, const TemplateError& error,
                          const QString& templatePath) {
    const QString text = language.GetHintText(templateErrorKey(error.kind));
    const QString shownPath = QDir::toNativeSeparators(templatePath);
    return error.kind == TemplateError::Kind::Missing ? text.arg(shownPath)
                                                      : text.arg(shownPath, error.detail());
}

ReportShow::ReportShow(lang::WindowContext& context) : context_(context) {}

ReportShow::~ReportShow() = default;

ScreenDestination& ReportShow::screen() {
    if (!screen_)
        screen_ = std::make_unique<ScreenDestination>(context_);
    return *screen_;
}

void ReportShow::ShowReport(store::Dataset& ado1, const QString& ShowType,
                            const QString& ReportFile, const ReportHeading& heading) {
    if (ShowType == QLatin1String("preview"))
        toPrinter_ = false;
    else if (ShowType == QLatin1String("printer"))
        toPrinter_ = true;

    try {
        lang::LanguageStore& language = context_.language;
        const ReportDocument report(
            ReportFile, loadTemplate(ReportFile), ado1,
            [&language](const QString& key) { return language.GetHintText(key); }, heading);
        ReportDestination& destination = destination_ ? *destination_ : screen();
        if (toPrinter_)
            destination.print(report);
        else
            destination.preview(report);
    } catch (const TemplateError& error) {
        context_.messages.showError(templateErrorText(context_.language, error, ReportFile));
    } catch (const store::DatabaseError& error) {
        context_.messages.showError(error.message());
    }
}

} // namespace output
