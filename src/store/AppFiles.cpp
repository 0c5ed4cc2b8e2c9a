#include "store/AppFiles.h"

#include <QDir>
#include <QFileInfo>

namespace store {

AppFiles::AppFiles(QString dataDir, QStringList readOnlyDirs)
    : dataDir_(std::move(dataDir)), readOnlyDirs_(std::move(readOnlyDirs)) {}

QString AppFiles::writable(const QString& name) const {
    return QDir(dataDir_).filePath(name);
}

QString AppFiles::find(const QString& name) const {
    const QString inDataDir = writable(name);
    if (QFileInfo::exists(inDataDir))
        return inDataDir;
    for (const QString& dir : readOnlyDirs_) {
        const QString path = QDir(dir).filePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return inDataDir;
}

} // namespace store
