#include "ReportFixture.h"
#include "output/Tfrm_Seluser.h"
#include "ui/RadioGroup.h"

#include <QComboBox>
#include <QLabel>

namespace {

class SelUserTest : public ReportFixture {
protected:
    void SetUp() override {
        ReportFixture::SetUp();
        dm1.adocom1.execute("insert into bp_userinfo(id,lastname) values (1,'Schmidt'),"
                            "(2,'Adams'),(3,'adams')");
    }

    // Opens the dialog in mode, lets act change it, then confirms (or cancels).
    QString run(const QString& mode, const std::function<void(output::Tfrm_Seluser&)>& act,
                bool confirm = true) {
        return output::ShowSelUserForm(context, mode, [&](output::Tfrm_Seluser& dialog) {
            dialog.show();
            seen.label = dialog.userNameLabel()->isVisible();
            seen.choice = dialog.memoryChoice()->isVisible();
            seen.names.clear();
            for (int i = 0; i < dialog.personList()->count(); ++i)
                seen.names << dialog.personList()->itemText(i);
            seen.caption = dialog.windowTitle();
            act(dialog);
            return confirm;
        });
    }

    struct {
        bool label = false;
        bool choice = false;
        QStringList names;
        QString caption;
    } seen;
};

TEST_F(SelUserTest, PrintModeAsksForAMemory) {
    EXPECT_EQ(run("print", [](output::Tfrm_Seluser&) {}), "0");
    EXPECT_TRUE(seen.choice);
    EXPECT_FALSE(seen.label);
    EXPECT_EQ(seen.caption, "User Selection");
    EXPECT_EQ(run("print", [](output::Tfrm_Seluser& d) { d.memoryChoice()->setItemIndex(1); }),
              "1");
    EXPECT_EQ(run(
                  "print", [](output::Tfrm_Seluser&) {}, false),
              "");
}

TEST_F(SelUserTest, OtherModesAskForAPersonOfTheRegister) {
    EXPECT_EQ(run("user", [](output::Tfrm_Seluser& d) { d.personList()->setCurrentIndex(1); }),
              "Schmidt");
    EXPECT_TRUE(seen.label);
    EXPECT_FALSE(seen.choice);
    // One entry per last name, whatever its case.
    EXPECT_EQ(seen.names.size(), 2);
    EXPECT_EQ(run("user", [](output::Tfrm_Seluser& d) { d.personList()->setCurrentIndex(-1); }),
              "");
    EXPECT_EQ(run(
                  "user", [](output::Tfrm_Seluser&) {}, false),
              "");
}

TEST_F(SelUserTest, GermanTexts) {
    chooseLanguage("german");
    run("print", [](output::Tfrm_Seluser& d) {
        EXPECT_EQ(d.memoryChoice()->items(), QStringList({"Speicher 1", "Speicher 2"}));
    });
    EXPECT_EQ(seen.caption, "Auswahl");
}

} // namespace
