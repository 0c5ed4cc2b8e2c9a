#pragma once

#include "output/PdfFile.h"
#include "output/ReportDestination.h"

#include <QPrinterInfo>
#include <functional>

namespace lang {
struct WindowContext;
}

namespace output {

class PreviewWindow;

// The preview window and the default printer. Without a printer the operator is told
// so and offered a PDF file instead.
class ScreenDestination : public ReportDestination {
public:
    explicit ScreenDestination(lang::WindowContext& context);

    void preview(const ReportDocument& report) override;
    void print(const ReportDocument& report) override;

    // Seams for tests; by default the system's printer, a file dialog and a modal window.
    std::function<QPrinterInfo()> defaultPrinter = &QPrinterInfo::defaultPrinter;
    PdfFileChooser choosePdf = choosePdfFile;
    std::function<void(PreviewWindow&)> runPreview;

private:
    lang::WindowContext& context_;
};

} // namespace output
