#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace app {

// Qt's own texts (standard buttons, file and print dialogs) and its locale (calendar month
// and day names) in the language chosen in the database.
class QtLanguage {
public:
    QtLanguage() = default;
    // Removes the translation and gives back the locale found at construction.
    ~QtLanguage();
    QtLanguage(const QtLanguage&) = delete;
    QtLanguage& operator=(const QtLanguage&) = delete;

    // A language name of the language table ("german"). English keeps Qt's built-in texts;
    // a name Qt does not know also keeps the system locale.
    void follow(const QString& languageName);

    // The locale for a language name: the system locale when the languages agree, else the
    // language in the system's territory where Qt has such a locale.
    static QLocale localeFor(const QString& languageName, const QLocale& system);

private:
    QLocale previous_;
    QTranslator translator_;
    bool installed_ = false;
};

} // namespace app
