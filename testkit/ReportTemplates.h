#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>

// Copies the report templates that the build put beside the test executables.
inline void copyReportTemplates(const QString& dir) {
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const QString& name : bin.entryList({QStringLiteral("*.rav")}, QDir::Files))
        QFile::copy(bin.filePath(name), QDir(dir).filePath(name));
}
