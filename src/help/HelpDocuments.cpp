#include "help/HelpDocuments.h"

#include <QDir>
#include <QFileInfo>
#include <initializer_list>

namespace help {

namespace {

QString fileName(ManualKind kind) {
    switch (kind) {
    case ManualKind::Mht:
        return QStringLiteral("TONVI_help.mht");
    case ManualKind::Chm:
        return QStringLiteral("TONVI_HELP.chm");
    case ManualKind::Html:
        return QStringLiteral("TONVI_HELP.htm");
    case ManualKind::Pdf:
        return QStringLiteral("TONVI_HELP.pdf");
    }
    return {};
}

std::optional<Manual> firstPresent(const QString& appDir, std::initializer_list<ManualKind> order) {
    for (ManualKind kind : order) {
        const QString path = QDir(appDir).filePath(fileName(kind));
        if (QFileInfo(path).isFile())
            return Manual{path, kind};
    }
    return std::nullopt;
}

} // namespace

std::optional<Manual> findManual(const QString& appDir) {
    return firstPresent(appDir,
                        {ManualKind::Mht, ManualKind::Chm, ManualKind::Html, ManualKind::Pdf});
}

std::optional<Manual> findPageManual(const QString& appDir) {
    return firstPresent(appDir,
                        {ManualKind::Chm, ManualKind::Pdf, ManualKind::Mht, ManualKind::Html});
}

} // namespace help
