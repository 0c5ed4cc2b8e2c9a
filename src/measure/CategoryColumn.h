#pragma once

#include "readings/Category.h"
#include "ui/DatasetTableModel.h"

#include <QColor>
#include <functional>

namespace lang {
class LanguageStore;
}

namespace measure {

// A light background for the category, rising from green through yellow to red.
QColor categoryColour(readings::Category category);

// The grid column "category": each row's category of its systolic and diastolic in the
// scheme of the moment, named in the current language, on the category's colour.
ui::GridColumn categoryColumn(std::function<readings::Scheme()> scheme,
                              const lang::LanguageStore& language);

} // namespace measure
