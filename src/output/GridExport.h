#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace lang {
class LanguageStore;
class Messages;
} // namespace lang
namespace ui {
class DataGrid;
}

namespace output {

// What the operator picked in the save dialog: the file name as typed and the 1-based
// position of the chosen entry of the type list.
struct ExportChoice {
    QString fileName;
    int position = 1;
};
// Asks for the file; none when the operator cancels.
using ExportChooser = std::function<std::optional<ExportChoice>(const QString& suggestedName)>;

// Export of a page's grid to a file the operator chooses.
class GridExport {
public:
    GridExport(lang::Messages& messages, const lang::LanguageStore& language,
               QWidget* dialogParent);

    // Asks for name and format, completes the extension, asks before replacing an
    // existing file, and writes the whole grid as shown. Returns the final file name, or
    // the suggested name when the operator cancels.
    QString ExportGrid(const QString& suggestedName, const ui::DataGrid& grid);

    // Qt's save dialog by default.
    void setChooser(ExportChooser chooser) { chooser_ = std::move(chooser); }

private:
    lang::Messages& messages_;
    const lang::LanguageStore& language_;
    ExportChooser chooser_;
};

} // namespace output
