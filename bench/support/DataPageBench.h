#pragma once

#include "measure/DataPage.h"
#include "support/WindowSetup.h"

#include <QTemporaryDir>
#include <functional>
#include <sqlite3.h>

namespace bench {

// The Data page on a database that fill writes, in a temporary directory.
struct DataPageBench {
    explicit DataPageBench(const std::function<void(sqlite3*)>& fill);

    // The program's own file, which the sqlite3 shell reads as it is.
    QString shellFile() const;

    QTemporaryDir dir;
    WindowSetup setup{dir.path()};
    store::Tdm1& dm1 = setup.dm1;
    measure::DataPage page{setup.context};
};

} // namespace bench
