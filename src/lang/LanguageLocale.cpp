#include "lang/LanguageLocale.h"

namespace lang {

QLocale localeOfLanguage(const QString& language, const QLocale& user) {
    for (int code = QLocale::AnyLanguage + 1; code <= QLocale::LastLanguage; ++code) {
        const auto candidate = QLocale::Language(code);
        if (QLocale::languageToString(candidate).compare(language, Qt::CaseInsensitive) != 0)
            continue;
        const bool englishOnC = candidate == QLocale::English && user.language() == QLocale::C;
        if (candidate == user.language() || englishOnC)
            return user;
        return QLocale(candidate, user.territory());
    }
    return user;
}

} // namespace lang
