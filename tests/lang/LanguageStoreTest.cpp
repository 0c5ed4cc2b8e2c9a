#include "LanguageDb.h"
#include "lang/LanguageLocale.h"

#include <gtest/gtest.h>

namespace {

TEST(LanguageStore, ChoosesTheTextColumnOfTheConfiguredLanguage) {
    LanguageDb db;
    db.add({.component = "greeting", .showtext = "Hello", .german = "Hallo"});
    db.add({.component = "untranslated", .showtext = "Plain", .german = ""});
    db.dm.adocom1.execute("alter table bp_language add column show_french text");
    db.dm.adocom1.execute("update bp_language set show_french='Salut' where component='greeting'");

    const std::pair<QString, QString> expected[] = {
        {"default", "Hello"}, {"german", "Hallo"}, {"french", "Salut"}, {"klingon", "Hello"}};
    for (const auto& [languageDef, text] : expected) {
        db.select(languageDef);
        EXPECT_EQ(db.language.GetHintText("greeting"), text) << languageDef.toStdString();
        EXPECT_EQ(db.language.GetHintText("untranslated"), "Plain") << languageDef.toStdString();
    }
    EXPECT_EQ(db.language.languageColumn(), "showtext"); // klingon has no column
}

TEST(LanguageStore, ListsTheTextColumnsAndStoresAChoice) {
    LanguageDb db;
    db.select("default");
    EXPECT_EQ(db.language.languages(), QStringList({"english", "german"}));
    EXPECT_EQ(db.language.currentLanguage(), "english");
    db.dm.adocom1.execute("alter table bp_language add column show_french text");
    db.select("default");
    EXPECT_EQ(db.language.languages(), QStringList({"english", "german", "french"}));

    db.language.chooseLanguage("german");
    EXPECT_EQ(db.language.languageColumn(), "show_german");
    EXPECT_EQ(db.language.currentLanguage(), "german");
    EXPECT_EQ(db.language.TitleText(), "Blutdruckmessgerät");
    db.dm.ado_option.close();
    db.dm.ado_option.open();
    EXPECT_EQ(db.dm.ado_option.recordCount(), 1);
    EXPECT_EQ(db.dm.ado_option.asString("language_def"), "german");
}

TEST(LanguageStore, MissingKeyGivesEmptyTextAndTheTitleIsCached) {
    LanguageDb db;
    db.select("german");
    EXPECT_EQ(db.language.GetHintText("no_such_key"), "");
    EXPECT_EQ(db.language.TitleText(), "Blutdruckmessgerät");
    EXPECT_EQ(db.language.TitleText(), db.language.GetHintText("title"));
}

TEST(LanguageStore, SeedDefinesEveryMessageKeyInEnglishAndGerman) {
    const QStringList keys{"title",
                           "exit_application",
                           "no_device",
                           "send_error",
                           "send_error_poweroff",
                           "read_error",
                           "recorderror",
                           "transfer_ok",
                           "must_spec_user1",
                           "must_spec_user2",
                           "user_bprecord_post_ok",
                           "delete_user1_bprecord",
                           "delete_user2_bprecord",
                           "analysis_before_must_spec_user",
                           "analysis_before_must_spec_type",
                           "delete_selection_bprecord_ask",
                           "delete_all_bprecord_ask",
                           "delete_alluser_ask",
                           "delete_seluser_ask",
                           "delete_seluser_readings_ask",
                           "name_too_long",
                           "birthday_unreadable",
                           "birthday_in_future",
                           "lastname_no_input",
                           "firstname_no_input",
                           "current_name_exists_same",
                           "user_infor_save_ok",
                           "sort_table_not_open",
                           "sort_two_same",
                           "find_Content_null",
                           "find_field_null",
                           "match_type_null",
                           "boolean_Content_error",
                           "integer_Content_error",
                           "date_Content_error",
                           "find_not_found",
                           "preview_before_table_not_open",
                           "print_before_table_not_open",
                           "export_before_table_not_open"};
    ASSERT_EQ(keys.size(), 39);
    LanguageDb db;
    store::Dataset& cfg = db.dm.ado_cfg;
    for (const QString& key : keys) {
        ASSERT_TRUE(cfg.locate("component", key)) << key.toStdString();
        EXPECT_EQ(cfg.asString("component"), key); // same case as the code asks for it
        EXPECT_FALSE(cfg.asString("showtext").isEmpty()) << key.toStdString();
        EXPECT_EQ(cfg.asString("show_english"), cfg.asString("showtext")) << key.toStdString();
        EXPECT_FALSE(cfg.asString("show_german").isEmpty()) << key.toStdString();
    }
}

} // namespace

TEST(LanguageLocale, KeepsTheUsersLocaleWhereTheLanguageAgreesOrIsUnknown) {
    const struct {
        const char *language, *user, *expected;
    } cases[] = {
        {"german", "de_AT", "de_AT"},  {"German", "en_GB", "de_DE"},  {"english", "C", "C"},
        {"english", "de_CH", "en_CH"}, {"default", "fr_FR", "fr_FR"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lang::localeOfLanguage(c.language, QLocale(c.user)).name(), QString(c.expected))
            << c.language << " for " << c.user;
}
