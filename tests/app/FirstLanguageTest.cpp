#include "store/Database.h"
#include "store/Dataset.h"
#include "store/Schema.h"
#include "support/TempAppDir.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Starts the program once in a fresh data directory under the given locale and returns
// the language it stored.
QString firstLanguageUnder(const QString& locale, const TempAppDir& dir) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        environment.insert(name, locale);
    program.setProcessEnvironment(environment);
    program.start(TONVI_EXECUTABLE, {"--check-start", "--data-dir", dir.path()});
    EXPECT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    store::Database db;
    db.open(dir.file("tonvi.mdb"));
    store::Dataset option(db, store::WriteMode::Immediate);
    option.setCommandText("select language_def from bp_option");
    option.open();
    return option.valueAt(0, 0).toString();
}

} // namespace

TEST(FirstLanguage, NewDatabaseFollowsTheSystemLocaleAndAnExistingOneKeepsItsChoice) {
    TempAppDir german;
    EXPECT_EQ(firstLanguageUnder("de_DE.UTF-8", german), "german");
    TempAppDir english;
    EXPECT_EQ(firstLanguageUnder("en_US.UTF-8", english), "default");

    // A file that exists is left as it is, whatever the locale of the next start.
    EXPECT_EQ(firstLanguageUnder("en_US.UTF-8", german), "german");
    EXPECT_EQ(firstLanguageUnder("de_AT.UTF-8", english), "default");
}

TEST(FirstLanguage, OnlyAGermanLocaleChoosesGerman) {
    EXPECT_EQ(store::Schema::languageForLocale(QLocale("de_DE")), "german");
    EXPECT_EQ(store::Schema::languageForLocale(QLocale("de_CH")), "german");
    for (const char* name : {"en_US", "fr_FR", "C", "nl_NL"})
        EXPECT_EQ(store::Schema::languageForLocale(QLocale(name)), "default") << name;
}
