#pragma once

#include "measure/DataPage.h"
#include "support/WindowSetup.h"

#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace bench {

// The Data page on a database that fill writes, in a temporary directory, and a copy of
// that database for the sqlite3 shell.
struct DataPageBench {
    explicit DataPageBench(const std::function<void(sqlite3*)>& fill);

    // The shell's copy (SQLite's own collation), made on first use.
    const QString& shellFile();

    QTemporaryDir dir;
    WindowSetup setup{dir.path()};
    store::Tdm1& dm1 = setup.dm1;
    measure::DataPage page{setup.context};

private:
    QString shellFile_;
};

} // namespace bench
