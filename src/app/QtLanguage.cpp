#include "app/QtLanguage.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>
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

QtLanguage::QtLanguage() {
    qApp->installEventFilter(this);
}

QtLanguage::~QtLanguage() {
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}

QLocale QtLanguage::localeFor(const QString& languageName, const QLocale& user) {
    const QLocale::Language language = languageNamed(languageName);
    const bool englishOnC = language == QLocale::English && user.language() == QLocale::C;
    if (language == QLocale::AnyLanguage || language == user.language() || englishOnC)
        return user;
    return QLocale(language, user.territory());
}

void QtLanguage::follow(const QString& languageName) {
    language_ = localeFor(languageName, user_);
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
    const QLocale::Language language = languageNamed(languageName);
    installed_ = language != QLocale::AnyLanguage && language != QLocale::English &&
                 translator_.load(language_, QStringLiteral("qt"), QStringLiteral("_"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                 QCoreApplication::installTranslator(&translator_);
    for (QWidget* widget : QApplication::allWidgets()) {
        if (auto* calendar = qobject_cast<QCalendarWidget*>(widget))
            calendar->setLocale(language_);
    }
}

bool QtLanguage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish) {
        if (auto* calendar = qobject_cast<QCalendarWidget*>(watched))
            calendar->setLocale(language_);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace app
