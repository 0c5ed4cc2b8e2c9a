#pragma once

class QTextStream;

namespace store {
class AppFiles;
}

namespace app {

struct CommandLine;

// Writes the readings of --person, of the range --from to --to, to the file in the format of
// --export, as the Data page exports them, without a window. An existing file is replaced only
// with --force. One summary line on out, the reason of a failure on err, texts from the
// language table. Returns the exit code: 0 when the file was written, else 1.
int runExport(const CommandLine& line, const store::AppFiles& files, QTextStream& out,
              QTextStream& err);

} // namespace app
