#pragma once

#include "store/AppFiles.h"

#include <QString>
#include <functional>
#include <optional>

namespace app {

// What decides where the program keeps and finds its files.
struct Placement {
    QString executableDir;
    QString userDataDir;                  // the platform's per-user data directory of the program
    std::optional<QString> dataDirOption; // --data-dir
    std::function<bool(const QString& dir)> isWritable;
};

// The folder of the files installed with the program (share/tonvi beside bin/).
QString installedDataDir(const QString& executableDir);

// The data directory is the one named on the command line; else the executable's
// directory when it can be written and the program is not installed there (portable
// use); else the user's data directory. Read-only files are looked for in the data
// directory, the executable's directory, then the installed data folder.
store::AppFiles placeFiles(const Placement& placement);

// The placement of the running program: the executable's directory, the user's data
// directory, writability as the file system reports it.
Placement currentPlacement(std::optional<QString> dataDirOption);

// Where a program without a data directory of its own keeps its files: under
// XDG_DATA_HOME when that is an absolute path, else under ~/.local/share.
QString userDataDir();

// Why the data directory cannot be used, for the error output or a message box; empty
// when it is there or has been made.
QString makeDataDir(const QString& dataDir);

} // namespace app
