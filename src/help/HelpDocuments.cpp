#include "help/HelpDocuments.h"

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

std::optional<Manual> firstPresent(const store::AppFiles& files,
                                   std::initializer_list<ManualKind> order) {
    for (ManualKind kind : order) {
        const QString path = files.find(fileName(kind));
        if (QFileInfo(path).isFile())
            return Manual{path, kind};
    }
    return std::nullopt;
}

} // namespace

std::optional<Manual> findManual(const store::AppFiles& files) {
    return firstPresent(files,
                        {ManualKind::Mht, ManualKind::Chm, ManualKind::Html, ManualKind::Pdf});
}

std::optional<Manual> findPageManual(const store::AppFiles& files) {
    return firstPresent(files,
                        {ManualKind::Chm, ManualKind::Pdf, ManualKind::Mht, ManualKind::Html});
}

} // namespace help
