#include "lang/ComponentText.h"

#include "LanguageDb.h"

#include <gtest/gtest.h>

namespace {

// Captions and drop-down items of the person dialog, as the summary names them.
TEST(ComponentText, CaptionsAndItemsInTheChosenLanguage) {
    LanguageDb db;
    db.add({.formname = "frm_user",
            .group = "caption",
            .component = "chk_untranslated",
            .showtext = "Only English"});
    const struct {
        const char* language;
        QString smoker, female, unknownItem, untranslated, missing;
    } cases[] = {
        {"english", "Smoker", "Female", "Diverse", "Only English", ""},
        {"german", "Raucher", "Weiblich", "Diverse", "Only English", ""},
    };
    for (const auto& c : cases) {
        db.select(c.language);
        EXPECT_EQ(lang::captionText(db.language, "frm_user", "chk_smoker"), c.smoker);
        EXPECT_EQ(lang::itemText(db.language, "frm_user", "comb_gender", "Female"), c.female);
        EXPECT_EQ(lang::itemText(db.language, "frm_user", "comb_gender", "female"), c.female);
        EXPECT_EQ(lang::itemText(db.language, "frm_user", "comb_gender", "Diverse"), c.unknownItem);
        EXPECT_EQ(lang::captionText(db.language, "frm_user", "chk_untranslated"), c.untranslated);
        EXPECT_EQ(lang::captionText(db.language, "frm_user", "chk_nothing"), c.missing);
        // A caption of another window is not this window's.
        EXPECT_EQ(lang::captionText(db.language, "frm_main", "chk_smoker"), c.missing);
    }
}

} // namespace
