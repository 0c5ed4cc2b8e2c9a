#pragma once

#include <QString>
#include <optional>

namespace help {

enum class ManualKind { Mht, Chm, Html, Pdf };

// A help document beside the executable.
struct Manual {
    QString path;
    ManualKind kind;
};

// The first present of "TONVI_help.mht", "TONVI_HELP.chm", "TONVI_HELP.htm" and
// "TONVI_HELP.pdf" in appDir, names as they stand; none: nothing.
std::optional<Manual> findManual(const QString& appDir);

// The document for a page's help image: the compiled manual, else the PDF, else the
// first present of the mht and htm forms.
std::optional<Manual> findPageManual(const QString& appDir);

} // namespace help
