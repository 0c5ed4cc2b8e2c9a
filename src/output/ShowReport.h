#pragma once

#include "output/ReportDocument.h"

#include <QString>
#include <memory>

namespace lang {
class LanguageStore;
struct WindowContext;
} // namespace lang
namespace store {
class Dataset;
}

namespace output {

class ReportDestination;
class ScreenDestination;

// The message of a report template that cannot be used, naming the file.
QString templateErrorText(const lang::LanguageStore& language, const TemplateError& error,
                          const QString& templatePath);

// The report engine's objects: they keep the last destination until the next run.
class ReportShow {
public:
    explicit ReportShow(lang::WindowContext& context);
    ~ReportShow();

    // Runs the template ReportFile on ado1 to the preview window (ShowType "preview") or
    // the default printer without a dialog ("printer"); any other ShowType keeps the
    // last destination. A template that cannot be used is reported with its file name
    // and nothing is shown or printed. heading gives what the data cannot tell.
    void ShowReport(store::Dataset& ado1, const QString& ShowType, const QString& ReportFile,
                    const ReportHeading& heading = {});

    // Where reports go instead of the screen and the printer; nullptr restores them.
    void setDestination(ReportDestination* destination) { destination_ = destination; }

    // The preview window and the printer, where reports go by default.
    ScreenDestination& screen();

private:
    lang::WindowContext& context_;
    std::unique_ptr<ScreenDestination> screen_;
    ReportDestination* destination_ = nullptr;
    bool toPrinter_ = false;
};

} // namespace output
