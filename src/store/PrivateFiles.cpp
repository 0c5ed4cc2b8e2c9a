#include "store/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace store {

bool makePrivateDirectories(const QString& path) {
    QStringList missing;
    for (QString dir = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(dir);) {
        missing.prepend(dir);
        const QString parent = QFileInfo(dir).path();
        if (parent == dir)
            break;
        dir = parent;
    }
    for (const QString& dir : missing) {
        // mkdir applies the umask to the mode, so the mode is set again once the directory
        // is there; one made meanwhile by another program is left as it is.
        if (QDir().mkdir(dir, privateDirMode))
            QFile::setPermissions(dir, privateDirMode);
    }
    return QFileInfo(path).isDir();
}

} // namespace store
