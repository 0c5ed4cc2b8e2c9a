#include "store/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace store {

namespace {

bool failed(QString* reason, int error) {
    if (reason)
        *reason = QString::fromLocal8Bit(std::strerror(error));
    return false;
}

} // namespace

bool makePrivateDirectories(const QString& path, QString* reason) {
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
        if (::mkdir(QFile::encodeName(dir).constData(), 0700) == 0)
            QFile::setPermissions(dir, privateDirMode);
        else if (errno != EEXIST)
            return failed(reason, errno);
    }
    return QFileInfo(path).isDir() || failed(reason, ENOTDIR);
}

} // namespace store
