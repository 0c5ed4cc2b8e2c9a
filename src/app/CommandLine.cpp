#include "app/CommandLine.h"

namespace app {

namespace {

const QString kDataDir = QStringLiteral("--data-dir");

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--check-start")) {
            line.checkStart = true;
        } else if (argument == kDataDir) {
            if (i + 1 == arguments.size() || arguments[i + 1].isEmpty())
                throw UsageError("--data-dir needs the name of a directory.");
            line.dataDir = arguments[++i];
        } else if (argument.startsWith(kDataDir + QLatin1Char('='))) {
            line.dataDir = argument.mid(kDataDir.size() + 1);
            if (line.dataDir->isEmpty())
                throw UsageError("--data-dir needs the name of a directory.");
        }
    }
    return line;
}

} // namespace app
