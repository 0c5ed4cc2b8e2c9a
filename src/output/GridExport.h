#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QIODevice;
class QWidget;

namespace lang {
class LanguageStore;
class Messages;
} // namespace lang
namespace store {
class AppFiles;
}
namespace ui {
class ShownTable;
}

namespace output {

// What the operator picked in the save dialog: the file name as typed and the 1-based
// position of the chosen entry of the type list.
struct ExportChoice {
    QString fileName;
    int position = 1;
};
// Asks for the file, starting at the suggested path and offering the type list; none when the
// operator cancels.
using ExportChooser = std::function<std::optional<ExportChoice>(const QString& suggestedPath,
                                                                const QStringList& filters)>;
// Writes the FHIR bundle of the readings a list shows to the device. Throws
// store::DatabaseError, and ExportError when the device fails.
using BundleSource = std::function<void(QIODevice& device)>;

// The save dialog of an export, opened at the suggested path.
std::unique_ptr<QFileDialog> exportDialog(QWidget* parent, const QString& suggestedPath,
                                          const QStringList& filters);

// Export of a page's grid to a file the operator chooses.
class GridExport {
public:
    GridExport(lang::Messages& messages, const lang::LanguageStore& language,
               const store::AppFiles& files, QWidget* dialogParent);

    // Asks for name and format in the folder last saved to, completes the extension, asks
    // before replacing an existing file, and writes the whole grid as shown. Returns the
    // final file name, or the suggested path when the operator cancels. With a bundle
    // source the type list offers the FHIR bundle, too.
    QString ExportGrid(const QString& suggestedName, const ui::ShownTable& grid,
                       const BundleSource& bundle = {});

    // Qt's save dialog by default.
    void setChooser(ExportChooser chooser) { chooser_ = std::move(chooser); }

private:
    lang::Messages& messages_;
    const lang::LanguageStore& language_;
    const store::AppFiles& files_;
    ExportChooser chooser_;
};

} // namespace output
