#pragma once

#include "store/AppFiles.h"

#include <QString>
#include <optional>

namespace help {

enum class ManualKind { Mht, Chm, Html, Pdf };

// A help document found among the program's files.
struct Manual {
    QString path;
    ManualKind kind;
};

// The first present of "TONVI_help.mht", "TONVI_HELP.chm", "TONVI_HELP.htm" and
// "TONVI_HELP.pdf" among the program's files, names as they stand; none: nothing.
// With a language code ("de") the manuals in that language ("TONVI_HELP_de.htm") come
// before the English ones.
std::optional<Manual> findManual(const store::AppFiles& files, const QString& language = {});

// The document for a page's help image: the compiled manual, else the PDF, else the
// first present of the mht and htm forms; the language as above.
std::optional<Manual> findPageManual(const store::AppFiles& files, const QString& language = {});

} // namespace help
