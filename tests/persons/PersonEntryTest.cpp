#include "PersonsFixture.h"
#include "support/DefaultLocale.h"

namespace {

using PersonEntry = PersonsTest;
using persons::Tfrm_user;
using persons::UserPage;

QWidget* field(Tfrm_user& form, const char* name) {
    return form.findChild<QWidget*>(name);
}

// A new person with these names and this text typed as the date of birth, saved.
auto saveTyped(const QString& lastName, const QString& firstName, const QString& birthday) {
    return [=](Tfrm_user& form) {
        type(form, "edt_lastname", lastName);
        type(form, "edt_firstname", firstName);
        retype(field(form, "dtp_birthday"), birthday);
        form.BitBtn1Click();
    };
}

TEST_F(PersonEntry, TypedBirthdaysAreStoredInEitherYearLength) {
    const struct {
        const char* locale;
        const char* typed;
        const char* stored;
    } cases[] = {{"de_DE", "12.03.1955", "1955-03-12"}, {"de_DE", " 1.3.55", "1955-03-01"},
                 {"de_DE", "12.03.10", "2010-03-12"},   {"en_US", "3/12/1955", "1955-03-12"},
                 {"en_US", "3/12/55", "1955-03-12"},    {"de_DE", "", "none"}};
    QStringList expected;
    for (const auto& c : cases) {
        const DefaultLocale locale(c.locale);
        runDialog(&UserPage::img_newClick,
                  saveTyped(QString::number(expected.size()), "Anna", c.typed));
        expected << QString(c.stored);
    }
    EXPECT_EQ(query("select ifnull(substr(birthday,1,10),'none') from bp_userinfo order by id"),
              expected);
    EXPECT_EQ(messages.shown, QStringList(std::size(cases), "inform:user_infor_save_ok"));
}

TEST_F(PersonEntry, RefusesBlankOrLongNamesAndUnreadableOrFutureBirthdays) {
    const DefaultLocale german("de_DE");
    const QString tomorrow = QDate::currentDate().addDays(1).toString("dd.MM.yyyy");
    const struct {
        QString lastName, firstName, birthday;
        const char* key;
        const char* focus;
    } cases[] = {{" \t", "Anna", "", "lastname_no_input", "edt_lastname"},
                 {"Smith", "  ", "", "firstname_no_input", "edt_firstname"},
                 {QString(61, 'x'), "Anna", "", "name_too_long", "edt_lastname"},
                 {"Smith", QString(61, 'y'), "", "name_too_long", "edt_firstname"},
                 {"Smith", "Anna", "31.02.1955", "birthday_unreadable", "dtp_birthday"},
                 {"Smith", "Anna", "12.03.", "birthday_unreadable", "dtp_birthday"},
                 {"Smith", "Anna", tomorrow, "birthday_in_future", "dtp_birthday"}};
    runDialog(&UserPage::img_newClick, [&](Tfrm_user& form) {
        for (const auto& c : cases) {
            messages.shown.clear();
            saveTyped(c.lastName, c.firstName, c.birthday)(form);
            EXPECT_EQ(messages.shown, QStringList("inform:" + QString(c.key))) << c.key;
            EXPECT_EQ(form.focusWidget(), field(form, c.focus)) << c.key;
            EXPECT_TRUE(form.isVisible()) << c.key;
        }
        saveTyped(" " + QString(60, 'x') + " ", " Anna", "")(form);
    });
    EXPECT_EQ(query("select lastname || '|' || firstname from bp_userinfo"),
              QStringList(QString(60, 'x') + "|Anna"));
}

// Stored in English whatever language shows the items; older rows hold either language.
TEST_F(PersonEntry, GenderIsStoredLanguageIndependently) {
    chooseLanguage("german");
    addPersons({"A", "B", "C", "D"});
    exec("update bp_userinfo set gender=case id when 1 then 'Male' when 2 then 'Weiblich' "
         "when 3 then 'female' else 'divers' end");
    dm1.ado_user.close();
    dm1.ado_user.open();
    const struct {
        const char* shown;
        const char* typed;
        const char* stored;
    } cases[] = {{"Männlich", "weiblich", "Female"},
                 {"Weiblich", "MALE", "Male"},
                 {"Weiblich", "Female", "Female"},
                 {"divers", "anders", "anders"}};
    for (int row = 0; row < 4; ++row) {
        dm1.ado_user.setRecNo(row + 1);
        runDialog(&UserPage::img_editClick, [&](Tfrm_user& form) {
            auto* gender = form.findChild<QComboBox*>("comb_gender");
            EXPECT_EQ(gender->currentText().toStdString(), cases[row].shown);
            retype(gender, cases[row].typed);
            form.BitBtn1Click();
        });
    }
    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        auto* gender = form.findChild<QComboBox*>("comb_gender");
        gender->setCurrentIndex(1);
        gender->setCurrentIndex(0);
        saveAs("E")(form);
    });
    EXPECT_EQ(query("select gender from bp_userinfo order by id"),
              QStringList({"Female", "Male", "Female", "anders", "Male"}));
}

} // namespace
