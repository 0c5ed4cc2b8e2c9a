#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <QTranslator>

namespace app {

// Qt's own texts (standard buttons, file and print dialogs) and the month and day names of
// every calendar in the language chosen in the database. Dates and numbers keep the
// user's locale.
class QtLanguage : public QObject {
public:
    // The locale in effect now is the user's.
    QtLanguage();
    ~QtLanguage() override;

    // A language name of the language table ("german"). English keeps Qt's built-in texts.
    void follow(const QString& languageName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QLocale user_;
    QLocale language_;
    QTranslator translator_;
    bool installed_ = false;
};

} // namespace app
