#pragma once

#include <QString>

namespace ui {

// A date format whose two-digit year ("yy") is widened to four digits, so that every
// date written with it reads back in the right century.
QString withFourDigitYear(const QString& format);

} // namespace ui
