#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace lang {
struct WindowContext;
}

namespace output {

class ReportDocument;

// Writes the report as a PDF file under a temporary name and renames it when complete.
// Gives the reason of a failure, empty on success; on failure the file is untouched.
QString writePdf(const ReportDocument& report, const QString& path);

// Asks where to save a PDF file; empty when the operator cancels. Replacing is asked
// separately, in the language of the program.
using PdfFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
QString choosePdfFile(QWidget* parent, const QString& suggested);

// "Save as PDF": asks for the file, asks before replacing one, writes it and shows a
// failure. True when the file was written.
bool saveAsPdf(const ReportDocument& report, lang::WindowContext& context, QWidget* parent,
               const PdfFileChooser& choose);

} // namespace output
