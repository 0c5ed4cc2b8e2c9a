#include "app/QtLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMetaEnum>

namespace app {

namespace {

QLocale::Language languageNamed(const QString& name) {
    const QMetaEnum languages = QMetaEnum::fromType<QLocale::Language>();
    for (int index = 0; index < languages.keyCount(); ++index) {
        const auto language = static_cast<QLocale::Language>(languages.value(index));
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0)
            return language;
    }
    return QLocale::AnyLanguage;
}

} // namespace

QtLanguage::~QtLanguage() {
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
    QLocale::setDefault(previous_);
}

QLocale QtLanguage::localeFor(const QString& languageName, const QLocale& system) {
    const QLocale::Language language = languageNamed(languageName);
    const bool englishOnC = language == QLocale::English && system.language() == QLocale::C;
    if (language == QLocale::AnyLanguage || language == system.language() || englishOnC)
        return system;
    return QLocale(language, system.territory());
}

void QtLanguage::follow(const QString& languageName) {
    const QLocale locale = localeFor(languageName, QLocale::system());
    QLocale::setDefault(locale);
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
    const QLocale::Language language = languageNamed(languageName);
    installed_ = language != QLocale::AnyLanguage && language != QLocale::English &&
                 translator_.load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                 QCoreApplication::installTranslator(&translator_);
}

} // namespace app
