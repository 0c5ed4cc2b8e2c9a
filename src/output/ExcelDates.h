#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace output {

// A date/time as a spreadsheet serial number (days since 1899-12-30, the time as the
// fraction). Takes a QDateTime, a QDate or the stored text "yyyy-MM-dd[ hh:mm[:ss]]". Dates
// before 1900-03-01 have none: spreadsheets count them differently.
std::optional<double> excelSerial(const QVariant& value);

// A spreadsheet number format that shows a date/time as the Qt date pattern does.
QString excelDateFormat(const QString& qtPattern);

} // namespace output
