#include "app/QtLanguage.h"

#include "lang/LanguageLocale.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>
#include <QLibraryInfo>

namespace app {

QtLanguage::QtLanguage() {
    qApp->installEventFilter(this);
}

QtLanguage::~QtLanguage() {
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
}

void QtLanguage::follow(const QString& languageName) {
    language_ = lang::localeOfLanguage(languageName, user_);
    if (installed_)
        QCoreApplication::removeTranslator(&translator_);
    const QLocale::Language language = language_.language();
    installed_ = language != QLocale::C && language != QLocale::English &&
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
