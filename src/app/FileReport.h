#pragma once

#include "store/AppFiles.h"

#include <QTextStream>

namespace app {

// Writes where the program keeps its files and where it found each file it only reads,
// one "name: path" line each ("name: not found" for a missing one).
void writeFileReport(const store::AppFiles& files, QTextStream& out);

} // namespace app
