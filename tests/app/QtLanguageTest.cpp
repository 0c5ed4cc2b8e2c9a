
#include "app/LanguageChoice.h"
#include "support/MainWindowFixture.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QString buttonText(QMessageBox::StandardButton which) {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return box.button(which)->text().remove('&');
}

struct QtTexts {
    QString yes, no, cancel, fileName, december;
};

QtTexts shownQtTexts() {
    QCalendarWidget calendar;
    calendar.ensurePolished();
    return {buttonText(QMessageBox::Yes), buttonText(QMessageBox::No),
            buttonText(QMessageBox::Cancel),
            QCoreApplication::translate("QFileDialog", "File &name:").remove('&'),
            calendar.locale().standaloneMonthName(12)};
}

class QtLanguageFollows : public MainWindowFixture {
protected:
    void choose(const QString& language) {
        QComboBox* list = window->languageChoice()->findChild<QComboBox*>("comb_language");
        list->setCurrentIndex(list->findData(language));
        emit list->activated(list->currentIndex());
    }
};

TEST_F(QtLanguageFollows, QtButtonsDialogsAndCalendarSpeakTheChosenLanguage) {
    const QString userLocale = QLocale().name();
    choose("german");
    EXPECT_EQ(QLocale().name(), userLocale) << "dates and numbers keep the user's locale";
    const QtTexts german = shownQtTexts();
    EXPECT_EQ(german.yes, "Ja");
    EXPECT_EQ(german.no, "Nein");
    EXPECT_EQ(german.cancel, "Abbrechen");
    EXPECT_EQ(german.fileName, "Dateiname:");
    EXPECT_EQ(german.december, "Dezember");

    choose("english");
    const QtTexts english = shownQtTexts();
    EXPECT_EQ(english.yes, "Yes");
    EXPECT_EQ(english.no, "No");
    EXPECT_EQ(english.fileName, "File name:");
    EXPECT_EQ(english.december, "December");
}

TEST_F(QtLanguageFollows, AStartInGermanTranslatesBeforeTheFirstSwitch) {
    window.reset();
    chooseLanguage("german");
    window = std::make_unique<app::Tfrm_main>(context);
    EXPECT_EQ(shownQtTexts().no, "Nein");
}

} // namespace
