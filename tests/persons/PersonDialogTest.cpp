#include "PersonsFixture.h"
#include "persons/BirthdayEdit.h"
#include "support/DefaultLocale.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <algorithm>
#include <array>

namespace {

using PersonDialog = PersonsTest;

// The dialog's controls as Tab visits them after the ID.
const QStringList kReadingOrder{"edt_lastname",
                                "edt_firstname",
                                "edt_country",
                                "edt_address1",
                                "edt_phone",
                                "edt_city",
                                "edt_state",
                                "dtp_birthday",
                                "edt_email",
                                "edt_zip",
                                "comb_gender",
                                "edt_height",
                                "edt_weight",
                                "chk_smoker",
                                "chk_alcohol",
                                "chk_overweight",
                                "chk_cholesterol_inc",
                                "chk_sodium_chloride",
                                "chk_exercise",
                                "chk_sugar_increased",
                                "chk_diabetic",
                                "BitBtn1",
                                "BitBtn2"};
using persons::Tfrm_user;
using persons::UserPage;

TEST_F(PersonDialog, CreatesPersonsWithTheNextIdAndRefillsTheLists) {
    ASSERT_TRUE(runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        EXPECT_EQ(form.windowTitle(), "Create New User");
        type(form, "edt_address1", "1 Main Street");
        type(form, "edt_height", "180");
        form.findChild<QComboBox*>("comb_gender")->setCurrentIndex(1);
        form.findChild<persons::BirthdayEdit*>("dtp_birthday")->setDate(QDate(1960, 4, 2));
        saveAs("Smith")(form);
        EXPECT_FALSE(form.isVisible());
    }));
    runDialog(&UserPage::img_newClick, saveAs("Jones"));

    EXPECT_EQ(messages.shown,
              QStringList({"inform:user_infor_save_ok", "inform:user_infor_save_ok"}));
    EXPECT_EQ(registerRows(), QStringList({"1:Smith", "2:Jones"}));
    EXPECT_EQ(
        query("select address1 || '|' || height || '|' || gender || '|' || birthday || '|' || "
              "(smoker+alcohol+overweight+cholesterol_inc+sodium_chloride+exercise+"
              "sugar_increased+diabetic+delselection) from bp_userinfo where id=1"),
        QStringList({"1 Main Street|180|Female|1960-04-02 00:00:00|0"}));
    EXPECT_EQ(dm1.ado_user.recNo(), 2);
    EXPECT_EQ(page().UserFormMode, "new");
    expectLists({"Jones", "Smith"});
}

TEST_F(PersonDialog, RefusesEmptyNames) {
    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        form.BitBtn1Click();
        EXPECT_EQ(form.focusWidget(), form.findChild<QLineEdit*>("edt_lastname"));
        type(form, "edt_lastname", "Smith");
        form.BitBtn1Click();
        EXPECT_EQ(form.focusWidget(), form.findChild<QLineEdit*>("edt_firstname"));
        EXPECT_TRUE(form.isVisible());
    });
    EXPECT_EQ(messages.shown,
              QStringList({"inform:lastname_no_input", "inform:firstname_no_input"}));
}

TEST_F(PersonDialog, RefusesAnotherPersonsLastNameInAnyCase) {
    addPersons({"Smith", "O'Brien"});
    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        saveAs("smith", "Bob")(form);
        EXPECT_TRUE(form.isVisible());
        saveAs("O'BRIEN")(form);
        saveAs("Ó'Brien")(form);
    });
    dm1.ado_user.first();
    runDialog(&UserPage::img_editClick, saveAs("SMITH", "Changed")); // its own name
    dm1.ado_user.last();
    runDialog(&UserPage::img_editClick, saveAs("Smith"));

    EXPECT_EQ(messages.shown,
              QStringList({"inform:current_name_exists_same", "inform:current_name_exists_same",
                           "inform:user_infor_save_ok", "inform:user_infor_save_ok",
                           "inform:current_name_exists_same"}));
    EXPECT_EQ(registerRows(), QStringList({"1:SMITH", "2:O'Brien", "3:Ó'Brien"}));
    EXPECT_EQ(page().UserFormMode, "edit");
}

TEST_F(PersonDialog, LeavingWithoutSaveRestoresTheRegister) {
    addPersons({"Smith", "Jones"});
    addReadings("Smith");
    page().DBGrideh4CellMouseClick(page().grid()->columnIndexOfField("DelSelection"));
    runDialog(&UserPage::img_editClick, [](Tfrm_user& form) {
        EXPECT_EQ(form.windowTitle(), "Edit User");
        EXPECT_EQ(form.findChild<QLineEdit*>("edt_lastname")->text(), "Smith");
        type(form, "edt_lastname", "Renamed");
        form.BitBtn2Click();
    });
    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) { type(form, "edt_lastname", "New"); });

    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(dm1.ado_user.recordCount(), 2);
    EXPECT_FALSE(dm1.ado_user.hasPendingUpdates()) << "the pending tick is dropped as well";
    dm1.ado_user.first();
    EXPECT_EQ(dm1.ado_user.asString("lastname"), "Smith");
    EXPECT_FALSE(dm1.ado_user.asBoolean("delselection"));

    // Saving writes the pending tick.
    page().DBGrideh4CellMouseClick(page().grid()->columnIndexOfField("DelSelection"));
    runDialog(&UserPage::img_editClick, saveAs("Smith"));
    EXPECT_EQ(query("select lastname from bp_userinfo where delselection<>0"),
              QStringList({"Smith"}));
}

// The readings belong to a person by the last name alone: they move with a rename, so
// they neither vanish nor pass to the next person created under the old name.
TEST_F(PersonDialog, ARenamedPersonKeepsTheReadings) {
    addPersons({"Müller", "Jones"});
    addReadings("MÜLLER");
    addReadings("Jones");
    runDialog(&UserPage::img_editClick, saveAs("Meier"));
    for (const char* table : {"bp_record", "bp_record_user1", "bp_record_user2"})
        EXPECT_EQ(readingsOf(table), QStringList({"Jones", "Meier"})) << table;
    expectLists({"Jones", "Meier"});

    runDialog(&UserPage::img_newClick, saveAs("Müller"));
    EXPECT_TRUE(query("select personal from bp_record where personal='Müller'").isEmpty());
    EXPECT_EQ(messages.shown, QStringList(2, "inform:user_infor_save_ok"));
}

TEST_F(PersonDialog, AFailedRenameChangesNothing) {
    addPersons({"Smith"});
    addReadings("Smith");
    exec("create trigger refuse before update on bp_userinfo when new.lastname='Bad' "
         "begin select raise(abort, 'refused'); end");
    runDialog(&UserPage::img_editClick, [](Tfrm_user& form) {
        saveAs("Bad")(form);
        EXPECT_TRUE(form.isVisible());
    });
    EXPECT_EQ(messages.shown, QStringList({"error:refused"}));
    EXPECT_EQ(registerRows(), QStringList({"1:Smith"}));
    for (const char* table : {"bp_record", "bp_record_user1", "bp_record_user2"})
        EXPECT_EQ(readingsOf(table), QStringList({"Smith"})) << table;
}

// In every alphabet, the same name in other letter case is another person's name.
TEST_F(PersonDialog, RefusesCaseVariantsInEveryAlphabet) {
    addPersons({"Müller", "Ørsted", "Иванов"});
    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        for (const char* name : {"MÜLLER", "ØRSTED", "иВАНОВ"}) {
            saveAs(name)(form);
            EXPECT_TRUE(form.isVisible()) << name;
        }
    });
    EXPECT_EQ(messages.shown, QStringList(3, "inform:current_name_exists_same"));
    EXPECT_EQ(registerRows(), QStringList({"1:Müller", "2:Ørsted", "3:Иванов"}));
}

// After the database refused the record, closing the dialog must not leave it pending
// for the next save to write.
TEST_F(PersonDialog, ARefusedSaveLeavesNothingBehind) {
    exec("create trigger refuse before insert on bp_userinfo when new.lastname='Bad' "
         "begin select raise(abort, 'refused'); end");
    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        saveAs("Bad")(form);
        EXPECT_TRUE(form.isVisible());
    });
    EXPECT_FALSE(dm1.ado_user.hasPendingUpdates());
    EXPECT_EQ(dm1.ado_user.recordCount(), 0);

    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        saveAs("Bad")(form);
        saveAs("Good")(form); // the same record, corrected
    });
    EXPECT_EQ(messages.shown,
              QStringList({"error:refused", "error:refused", "inform:user_infor_save_ok"}));
    EXPECT_EQ(registerRows(), QStringList({"1:Good"}));
}

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

TEST_F(PersonDialog, TypedBirthdaysAreStored) {
    const std::array<const char*, 3> cases[] = {{"de_DE", "12.03.1955", "1955-03-12"},
                                                {"de_DE", " 1.3.55", "1955-03-01"},
                                                {"en_US", "3/12/1955", "1955-03-12"},
                                                {"en_US", "3/12/55", "1955-03-12"},
                                                {"de_DE", "", "none"}};
    QStringList expected;
    for (const auto& [locale, typed, stored] : cases) {
        const DefaultLocale chosen(locale);
        runDialog(&UserPage::img_newClick,
                  saveTyped(QString::number(expected.size()), "Anna", typed));
        expected << stored;
    }
    EXPECT_EQ(query("select ifnull(substr(birthday,1,10),'none') from bp_userinfo order by id"),
              expected);
    EXPECT_EQ(messages.shown, QStringList(std::size(cases), "inform:user_infor_save_ok"));
}

TEST(ReadBirthday, TwoDigitYearsFallInTheLatestCenturyNotAfterToday) {
    const std::pair<const char*, const char*> cases[] = {
        {"12.03.55", "1955-03-12"}, {"12.03.10", "2010-03-12"},   {"15.06.24", "2024-06-15"},
        {"16.06.24", "1924-06-16"}, {"16.06.2024", "2024-06-16"}, {"12.03", ""},
        {"12.03.155", ""}};
    for (const auto& [typed, day] : cases)
        EXPECT_EQ(persons::readBirthday(typed, QLocale("de_DE"), QDate(2024, 6, 15))
                      .toString(Qt::ISODate),
                  day)
            << typed;
}

TEST_F(PersonDialog, RefusesBlankOrLongNamesAndUnreadableOrFutureBirthdays) {
    const DefaultLocale german("de_DE");
    const QString tomorrow = QDate::currentDate().addDays(1).toString("dd.MM.yyyy");
    const struct {
        QString lastName, firstName, birthday;
        const char *key, *focus;
    } cases[] = {{" \t", "Anna", "", "lastname_no_input", "edt_lastname"},
                 {"Smith", "  ", "", "firstname_no_input", "edt_firstname"},
                 {QString(61, 'x'), "Anna", "", "name_too_long", "edt_lastname"},
                 {"Smith", QString(61, 'y'), "", "name_too_long", "edt_firstname"},
                 {"Smith", "Anna", "31.02.1955", "birthday_unreadable", "dtp_birthday"},
                 {"Smith", "Anna", tomorrow, "birthday_in_future", "dtp_birthday"}};
    runDialog(&UserPage::img_newClick, [&](Tfrm_user& form) {
        for (const auto& c : cases) {
            messages.shown.clear();
            saveTyped(c.lastName, c.firstName, c.birthday)(form);
            EXPECT_EQ(messages.shown, QStringList("inform:" + QString(c.key))) << c.key;
            EXPECT_EQ(form.focusWidget(), field(form, c.focus)) << c.key;
        }
        saveTyped(" " + QString(60, 'x') + " ", " Anna", "")(form);
    });
    EXPECT_EQ(query("select lastname || '|' || firstname from bp_userinfo"),
              QStringList(QString(60, 'x') + "|Anna"));
}

// The calendar opens fifty years back, else at the typed date; a picked day replaces the
// text, with a four-digit year.
TEST_F(PersonDialog, BirthdaysDropACalendar) {
    const DefaultLocale german("de_DE");
    runDialog(&UserPage::img_newClick, [](Tfrm_user& form) {
        auto* birthday = form.findChild<persons::BirthdayEdit*>("dtp_birthday");
        QTest::keyClick(birthday, Qt::Key_Down, Qt::AltModifier);
        auto* calendar = birthday->findChild<QCalendarWidget*>();
        ASSERT_NE(calendar, nullptr);
        const QDate past = QDate::currentDate().addYears(-50);
        EXPECT_EQ(calendar->yearShown() * 12 + calendar->monthShown(),
                  past.year() * 12 + past.month());
        retype(birthday, "12.3.55");
        birthday->showCalendar();
        EXPECT_EQ(calendar->selectedDate(), QDate(1955, 3, 12));
        calendar->setSelectedDate(QDate(1955, 3, 14));
        QTest::keyClick(calendar->findChild<QWidget*>("qt_calendar_calendarview"), Qt::Key_Return);
        EXPECT_FALSE(calendar->isVisible());
        EXPECT_EQ(birthday->text(), "14.03.1955");
    });
}

// Stored in English whatever language shows the items; older rows hold either language.
TEST_F(PersonDialog, GenderIsStoredLanguageIndependently) {
    chooseLanguage("german");
    addPersons({"A", "B", "C", "D"});
    exec("update bp_userinfo set gender=case id when 1 then 'Male' when 2 then 'Weiblich' "
         "when 3 then 'female' else 'divers' end");
    dm1.ado_user.close();
    dm1.ado_user.open();
    const std::array<const char*, 2> cases[] = {{"Männlich", "weiblich"},
                                                {"Weiblich", "MALE"},
                                                {"Weiblich", "Female"},
                                                {"divers", "anders"}};
    for (int row = 0; row < 4; ++row) {
        dm1.ado_user.setRecNo(row + 1);
        runDialog(&UserPage::img_editClick, [&](Tfrm_user& form) {
            auto* gender = form.findChild<QComboBox*>("comb_gender");
            EXPECT_EQ(gender->currentText().toStdString(), cases[row][0]);
            retype(gender, cases[row][1]);
            form.BitBtn1Click();
        });
    }
    EXPECT_EQ(query("select gender from bp_userinfo order by id"),
              QStringList({"Female", "Male", "Female", "anders"}));
}

TEST_F(PersonDialog, EditCaptionAndTabOrder) {
    chooseLanguage("german");
    addPersons({"Smith"});
    runDialog(&UserPage::img_editClick, [](Tfrm_user& form) {
        EXPECT_EQ(form.windowTitle(), "Person bearbeiten");
        auto* gender = form.findChild<QComboBox*>("comb_gender");
        EXPECT_EQ(gender->itemText(0), "Männlich");
        EXPECT_EQ(gender->itemText(1), "Weiblich");
        QStringList order;
        QWidget* first = form.findChild<QLineEdit*>("edt_lastname");
        EXPECT_EQ(form.focusWidget(), first);
        QWidget* widget = first;
        do {
            const QWidget* parent = widget->parentWidget();
            if ((parent == &form || parent->objectName() == "grp_risk_factors") &&
                (widget->focusPolicy() & Qt::TabFocus))
                order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != first);
        EXPECT_EQ(order, kReadingOrder + QStringList{"edt_id"});
    });
    EXPECT_EQ(registerRows(), QStringList({"1:Smith"}));
}

// Each risk factor is stored in its own column with the person, and shown again on edit.
TEST_F(PersonDialog, RiskFactorsAreShownAndStoredWithThePerson) {
    // A set flag is stored as -1, the database's true.
    const QString stored =
        "select (smoker<>0) || (alcohol<>0) || (overweight<>0) || (cholesterol_inc<>0) || "
        "(sodium_chloride<>0) || (exercise<>0) || (sugar_increased<>0) || (diabetic<>0) "
        "from bp_userinfo order by id";
    const auto tick = [](Tfrm_user& form, const QStringList& columns, bool checked) {
        for (const QString& column : columns) {
            auto* box = form.findChild<QCheckBox*>("chk_" + column);
            ASSERT_NE(box, nullptr) << qPrintable(column);
            box->setChecked(checked);
        }
    };
    runDialog(&UserPage::img_newClick, [&](Tfrm_user& form) {
        tick(form, {"smoker", "cholesterol_inc", "diabetic"}, true);
        saveAs("Smith")(form);
    });
    EXPECT_EQ(query(stored), QStringList{"10010001"});

    chooseLanguage("german");
    runDialog(&UserPage::img_editClick, [&](Tfrm_user& form) {
        EXPECT_EQ(form.findChild<QCheckBox*>("chk_sugar_increased")->text(), "Erhöhter Blutzucker");
        QString shown;
        for (QCheckBox* box : form.findChildren<QCheckBox*>())
            shown += box->isChecked() ? '1' : '0';
        EXPECT_EQ(shown, "10010001");
        tick(form, {"smoker"}, false);
        tick(form, {"exercise", "sodium_chloride"}, true);
        form.BitBtn1Click();
    });
    EXPECT_EQ(query(stored), QStringList{"00011101"});

    runDialog(&UserPage::img_editClick, [&](Tfrm_user& form) {
        tick(form, {"alcohol", "overweight"}, true);
    });
    EXPECT_EQ(query(stored), QStringList{"00011101"}); // closed without saving
}

} // namespace

// Tab visits every control row by row, then Save and Cancel, and comes round again;
// Shift+Tab goes the same way back.
TEST_F(PersonDialog, TabVisitsEveryControlInReadingOrder) {
    const QStringList readingOrder = QStringList{"edt_id"} + kReadingOrder + QStringList{"edt_id"};
    runDialog(&UserPage::img_newClick, [&](Tfrm_user& form) {
        QApplication::setActiveWindow(&form);
        const auto walk = [&](Qt::Key key) {
            QStringList visited;
            field(form, "edt_id")->setFocus();
            for (qsizetype step = 0; step < readingOrder.size(); ++step) {
                QWidget* focused = QApplication::focusWidget();
                if (focused && !focused->objectName().startsWith("comb_") &&
                    qobject_cast<QComboBox*>(focused->parentWidget()))
                    focused = focused->parentWidget();
                visited << (focused ? focused->objectName() : QStringLiteral("(none)"));
                QTest::keyClick(QApplication::focusWidget(), key,
                                key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            }
            return visited;
        };
        EXPECT_EQ(walk(Qt::Key_Tab), readingOrder);
        QStringList back = readingOrder;
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(walk(Qt::Key_Backtab), back);
    });
}

// The text field of the Gender box carries the box's name in the language chosen.
TEST_F(PersonDialog, GenderTextFieldIsNamed) {
    for (const char* name : {"english", "german"}) {
        chooseLanguage(name);
        runDialog(&UserPage::img_newClick, [name](Tfrm_user& form) {
            QLineEdit* text = form.findChild<QComboBox*>("comb_gender")->lineEdit();
            EXPECT_EQ(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name),
                      QString(name) == "german" ? "Geschlecht" : "Gender");
        });
    }
}
