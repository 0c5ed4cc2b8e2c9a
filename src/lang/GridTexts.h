#pragma once

#include <QString>

namespace ui {
class DatasetTableModel;
}

namespace lang {

class LanguageStore;

// Gives the columns of a table the titles and widths the language table holds for the grid
// of that name on that window, as the window shows them. Throws store::DatabaseError.
void applyGridTexts(const LanguageStore& language, const QString& formName, const QString& gridName,
                    ui::DatasetTableModel& model);

} // namespace lang
