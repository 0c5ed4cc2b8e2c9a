#include "app/FilePlacement.h"

#include "store/PrivateFiles.h"

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

QString userDataDir() {
    // A relative XDG_DATA_HOME is invalid and ignored, as if it were not set.
    const QString xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (xdgDataHome.isEmpty() || QDir::isAbsolutePath(xdgDataHome))
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir::home().filePath(QStringLiteral(".local/share/") +
                                 QCoreApplication::applicationName());
}

Placement currentPlacement(std::optional<QString> dataDirOption) {
    return Placement{QCoreApplication::applicationDirPath(), userDataDir(),
                     std::move(dataDirOption),
                     [](const QString& dir) { return QFileInfo(dir).isWritable(); }};
}

QString makeDataDir(const QString& dataDir) {
    QString reason;
    if (store::makePrivateDirectories(dataDir, &reason))
        return {};
    return QStringLiteral("The data folder %1 cannot be created: %2.")
        .arg(QDir::toNativeSeparators(dataDir), reason);
}

} // namespace app
