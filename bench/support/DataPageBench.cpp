#include "support/DataPageBench.h"

#include "support/ShellTimes.h"

namespace bench {

DataPageBench::DataPageBench(const std::function<void(sqlite3*)>& fill) {
    setup.start();
    fill(dm1.ADOConnection1.handle());
}

const QString& DataPageBench::shellFile() {
    if (shellFile_.isEmpty())
        shellFile_ = shellCopy(dm1.GetDBLinkStr(), dir.filePath(QStringLiteral("shell.mdb")));
    return shellFile_;
}

} // namespace bench
