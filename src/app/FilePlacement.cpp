#include "app/FilePlacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

QString installedDataDir(const QString& executableDir) {
    return QDir::cleanPath(QDir(executableDir).filePath(QStringLiteral(TONVI_DATA_FROM_BIN)));
}

store::AppFiles placeFiles(const Placement& placement) {
    const QString installed = installedDataDir(placement.executableDir);
    QString dataDir;
    if (placement.dataDirOption)
        dataDir = QDir(*placement.dataDirOption).absolutePath();
    else if (placement.isWritable(placement.executableDir) && !QFileInfo(installed).isDir())
        dataDir = placement.executableDir;
    else
        dataDir = placement.userDataDir;
    QStringList readOnlyDirs;
    for (const QString& dir : {placement.executableDir, installed}) {
        if (QDir(dir) != QDir(dataDir))
            readOnlyDirs.append(dir);
    }
    return store::AppFiles(dataDir, readOnlyDirs);
}

Placement currentPlacement(std::optional<QString> dataDirOption) {
    return Placement{QCoreApplication::applicationDirPath(),
                     QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                     std::move(dataDirOption),
                     [](const QString& dir) { return QFileInfo(dir).isWritable(); }};
}

} // namespace app
