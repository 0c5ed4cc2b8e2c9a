#include "FileAccess.h"

#include "DatabaseError.h"

#include <QDir>
#include <QFileInfo>

namespace store {

FileAccess FileAccess::system() {
    return {[](const QString& path) { return QFileInfo(path).isReadable(); },
            [](const QString& path) { return QFileInfo(path).isWritable(); }};
}

void checkExistingFile(const QString& filePath, const FileAccess& access) {
    const QFileInfo info(filePath);
    const QString path = QDir::toNativeSeparators(filePath);
    if (info.isDir())
        throw DatabaseError(
            QStringLiteral("The database file %1 is a directory, not a file.").arg(path));
    if (!access.isReadable(filePath))
        throw DatabaseError(QStringLiteral("The database file %1 cannot be read.").arg(path));
    if (!access.isWritable(filePath))
        throw DatabaseError(QStringLiteral("The database file %1 is write-protected.").arg(path));
    const QString dir = info.absolutePath();
    if (!access.isWritable(dir))
        throw DatabaseError(QStringLiteral("The database file %1 cannot be used: its directory "
                                           "%2 is not writable, and the database keeps its "
                                           "journal there.")
                                .arg(path, QDir::toNativeSeparators(dir)));
}

} // namespace store
