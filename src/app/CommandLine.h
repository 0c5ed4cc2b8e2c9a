#pragma once

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

// The options of this folder; others (--simulate-monitor, Qt's own) are left to their
// readers.
struct CommandLine {
    // --data-dir DIR or --data-dir=DIR: keep and look for the files there.
    std::optional<QString> dataDir;
    // --check-start: start as usual, print where the files are, and end.
    bool checkStart = false;
};

// arguments: as QCoreApplication::arguments(), the program first. Throws UsageError.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace app
