#pragma once

#include "readings/DateReading.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace app {

// A command line the program cannot follow; the text says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every option the program takes; --simulate-monitor and -platform are checked here and
// read again by their users.
struct CommandLine {
    // --help / --version: print and end, touching no file.
    bool help = false;
    bool version = false;
    // --data-dir DIR or --data-dir=DIR: keep and look for the files there.
    std::optional<QString> dataDir;
    // --check-start: start as usual, print where the files are, and end.
    bool checkStart = false;
    // --import FILE --person NAME [--date-order day-first|month-first]: import the file's
    // readings for the person without a window, and end.
    std::optional<QString> importFile;
    QString person;
    std::optional<readings::DateOrder> dateOrder;
    // --export FORMAT --person NAME [--from DATE] [--to DATE] [--force] FILE: write the
    // person's readings as the Data page exports them, without a window, and end. FORMAT is
    // csv, txt, htm, rtf, xls, pdf (the Data page's report) or fhir; dates are yyyy-MM-dd.
    std::optional<QString> exportFormat;
    QString exportFile;
    std::optional<QDate> from;
    std::optional<QDate> to;
    bool force = false; // replace an existing FILE

    bool headless() const { return importFile.has_value() || exportFormat.has_value(); }
};

// arguments: as QCoreApplication::arguments(), the program first. Throws UsageError.
CommandLine parseCommandLine(const QStringList& arguments);

// How the program is called, for --help and a usage error.
QString usageText();

// The program's name and version, for --version.
QString versionText();

} // namespace app
