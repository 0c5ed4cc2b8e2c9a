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

// The name of the manual in a language: the code before the extension.
QString fileName(ManualKind kind, const QString& language) {
    const QString english = fileName(kind);
    if (language.isEmpty())
        return english;
    const qsizetype dot = english.lastIndexOf(QLatin1Char('.'));
    return english.left(dot) + QLatin1Char('_') + language + english.mid(dot);
}

std::optional<Manual> firstPresent(const store::AppFiles& files, const QString& language,
                                   std::initializer_list<ManualKind> order) {
    QStringList languages{QString()};
    if (!language.isEmpty())
        languages.prepend(language);
    for (const QString& wanted : languages) {
        for (ManualKind kind : order) {
            const QString path = files.find(fileName(kind, wanted));
            if (QFileInfo(path).isFile())
                return Manual{path, kind};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<Manual> findManual(const store::AppFiles& files, const QString& language) {
    return firstPresent(files, language,
                        {ManualKind::Mht, ManualKind::Chm, ManualKind::Html, ManualKind::Pdf});
}

std::optional<Manual> findPageManual(const store::AppFiles& files, const QString& language) {
    return firstPresent(files, language,
                        {ManualKind::Chm, ManualKind::Pdf, ManualKind::Mht, ManualKind::Html});
}

} // namespace help
