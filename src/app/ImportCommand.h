#pragma once

#include <QString>

class QTextStream;

namespace store {
class AppFiles;
}

namespace app {

struct CommandLine;

// Imports the file of --import for --person into the data directory without a window:
// one summary line on out, each rejected line on err, texts from the language table in
// the database's language. Returns the exit code: 0 when readings were stored or all of
// them were stored already, 1 when nothing could be imported.
int runImport(const CommandLine& line, const store::AppFiles& files, QTextStream& out,
              QTextStream& err);

} // namespace app
