#include "output/ScreenDestination.h"

#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "output/PreviewWindow.h"
#include "output/ReportDocument.h"

#include <QApplication>
#include <QPrinter>

namespace output {

ScreenDestination::ScreenDestination(lang::WindowContext& context)
    : runPreview([](PreviewWindow& window) { window.exec(); }), context_(context) {}

void ScreenDestination::preview(const ReportDocument& report) {
    PreviewWindow window(report, context_, QApplication::activeWindow());
    window.printRequested = [this, &report] { print(report); };
    window.choosePdf = choosePdf;
    runPreview(window);
}

void ScreenDestination::print(const ReportDocument& report) {
    QWidget* parent = QApplication::activeWindow();
    const QPrinterInfo printerInfo = defaultPrinter();
    if (printerInfo.isNull()) {
        if (context_.messages.ask(QStringLiteral("report_no_printer")))
            saveAsPdf(report, context_, parent, choosePdf);
        return;
    }
    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setDocName(report.title());
    if (!report.render(printer))
        context_.messages.fail(QStringLiteral("report_print_error"));
}

} // namespace output
