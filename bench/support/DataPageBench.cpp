#include "support/DataPageBench.h"

namespace bench {

DataPageBench::DataPageBench(const std::function<void(sqlite3*)>& fill) {
    setup.start();
    fill(dm1.ADOConnection1.handle());
}

QString DataPageBench::shellFile() const {
    return dm1.GetDBLinkStr();
}

} // namespace bench
