#include "DataPageFixture.h"
#include "measure/ReadingActions.h"
#include "measure/TrendChart.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>

namespace {

using measure::ReadingDialog;

class ReadingByHand : public DataPageFixture {
protected:
    void SetUp() override {
        DataPageFixture::SetUp();
        persons({"O'Brien", "Smith"});
        reading("O'Brien", 120, 80, 70, "2011-03-01 08:00:00");
        reading("O'Brien", 140, 70, 60, "2011-03-02 08:00:00");
        reading("Smith", 150, 95, 80, "2011-03-03 09:00:00");
        window->m_dataClick();
    }

    measure::ReadingActions& actions() const { return *page->readingActions(); }

    // The next dialog is shown and the steps run in it; it is closed after them when
    // still open. False when no dialog opened.
    bool runDialog(const std::function<void()>& trigger,
                   const std::function<void(ReadingDialog&)>& steps) {
        bool opened = false;
        actions().setDialogRunner([&](ReadingDialog& dialog) {
            opened = true;
            dialog.show();
            steps(dialog);
            if (dialog.isVisible())
                dialog.reject();
            return dialog.result() == QDialog::Accepted;
        });
        trigger();
        return opened;
    }

    // moment|systolic|diastolic|pulse|mark of every stored reading, in time order.
    QStringList rows() {
        return testkit::queryRows(dm1.ADOConnection1,
                                  "select personal,checktime||'',systolic,diastolic,heart_beat,"
                                  "delselection<>0,checktime_mmdd,checktime_hhmm from bp_record "
                                  "order by checktime");
    }

    qsizetype chartPoints() const { return page->chart()->systolicLine()->count(); }

    void selectRow(int row) { dm1.ado_analysis.setRecNo(row + 1); }
};

template <class T> T* field(ReadingDialog& dialog, const char* name) {
    return dialog.findChild<T*>(name);
}

// Types the values into the dialog's fields through their key handling and presses OK.
void enter(ReadingDialog& dialog, const QDateTime& moment, const QString& systolic,
           const QString& diastolic, const QString& pulse = {}, bool mark = false) {
    field<QDateTimeEdit>(dialog, "dtp_checktime")->setDateTime(moment);
    for (const auto& [name, text] :
         {std::pair{"edt_systolic", systolic}, std::pair{"edt_diastolic", diastolic},
          std::pair{"edt_heart_beat", pulse}}) {
        auto* edit = field<QLineEdit>(dialog, name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    field<QCheckBox>(dialog, "chk_delselection")->setChecked(mark);
    field<QPushButton>(dialog, "btn_ok")->click();
}

QDateTime at(const QString& text) {
    return QDateTime::fromString(text, "yyyy-MM-dd HH:mm");
}

TEST_F(ReadingByHand, ProblemsAreRefusedOneByOneOnTheirField) {
    const QDateTime past = at("2011-03-05 07:30");
    const struct {
        QDateTime moment;
        QString systolic, diastolic, pulse;
        const char *key, *focus;
    } cases[] = {
        {past, "", "80", "", "reading_systolic_range", "edt_systolic"},
        {past, "301", "80", "", "reading_systolic_range", "edt_systolic"},
        {past, "39", "19", "", "reading_systolic_range", "edt_systolic"},
        {past, "120", "19", "", "reading_diastolic_range", "edt_diastolic"},
        {past, "120", "120", "", "reading_diastolic_not_lower", "edt_diastolic"},
        {past, "120", "80", "19", "reading_pulse_range", "edt_heart_beat"},
        {past, "120", "80", "251", "reading_pulse_range", "edt_heart_beat"},
        {QDateTime::currentDateTime().addDays(2), "120", "80", "", "reading_moment_future",
         "dtp_checktime"},
    };
    const QStringList before = rows();
    EXPECT_TRUE(runDialog([this] { actions().newReading(); },
                          [&](ReadingDialog& dialog) {
                              for (const auto& c : cases) {
                                  messages.shown.clear();
                                  enter(dialog, c.moment, c.systolic, c.diastolic, c.pulse);
                                  EXPECT_EQ(messages.shown, QStringList("inform:" + QString(c.key)))
                                      << c.key;
                                  EXPECT_EQ(dialog.focusWidget()->objectName(), c.focus) << c.key;
                                  EXPECT_TRUE(dialog.isVisible()) << c.key;
                                  EXPECT_FALSE(language.GetHintText(c.key).isEmpty()) << c.key;
                              }
                              // Three digits at most: a fourth is not taken.
                              enter(dialog, past, "1234", "80", "");
                              EXPECT_FALSE(dialog.isVisible());
                          }));
    EXPECT_EQ(rows(), before + QStringList{"O'Brien|2011-03-05 07:30:00|123|80||0|03/05|07:30"});
}

TEST_F(ReadingByHand, NewReadingIsStoredListedAndCharted) {
    runDialog([this] { actions().newReading(); },
              [](ReadingDialog& dialog) {
                  EXPECT_EQ(dialog.windowTitle(), "New reading");
                  const QDateTime now = QDateTime::currentDateTime();
                  const QDateTime shown = field<QDateTimeEdit>(dialog, "dtp_checktime")->dateTime();
                  EXPECT_LE(qAbs(shown.secsTo(now)), 60);
                  EXPECT_EQ(shown.time().second(), 0);
                  enter(dialog, at("2011-03-01 12:15"), "125", "85", "", true);
              });
    EXPECT_EQ(rows(), (QStringList{"O'Brien|2011-03-01 08:00:00|120|80|70|0||",
                                   "O'Brien|2011-03-01 12:15:00|125|85||1|03/01|12:15",
                                   "O'Brien|2011-03-02 08:00:00|140|70|60|0||",
                                   "Smith|2011-03-03 09:00:00|150|95|80|0||"}));
    EXPECT_EQ(shown().value(1), "True|O'Brien|125|85||01.03.2011 12:15");
    EXPECT_EQ(dm1.ado_analysis.recNo(), 2);
    EXPECT_EQ(chartPoints(), 3);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ReadingByHand, NewReadingNeedsAChosenPerson) {
    page->comb_user()->setCurrentIndex(-1);
    EXPECT_FALSE(runDialog([this] { actions().newReading(); }, [](ReadingDialog&) {}));
    EXPECT_EQ(messages.shown, QStringList{"inform:analysis_before_must_spec_user"});
}

// A person has one reading a minute; a reading edited keeps its own minute.
TEST_F(ReadingByHand, OneReadingOfAPersonPerMinute) {
    const struct {
        const char* name;
        int row; // the list's row edited, -1 for a new reading
        QDateTime moment;
        bool saved;
    } cases[] = {
        {"new at a held minute", -1, at("2011-03-01 08:00").addSecs(30), false},
        {"new at another person's minute", -1, at("2011-03-03 09:00"), true},
        {"edit onto another reading's minute", 1, at("2011-03-01 08:00"), false},
        {"edit within its own minute", 1, at("2011-03-02 08:00"), true},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        const QStringList before = rows();
        if (c.row >= 0)
            selectRow(c.row);
        runDialog([&] { c.row < 0 ? actions().newReading() : actions().editReading(); },
                  [&](ReadingDialog& dialog) {
                      enter(dialog, c.moment, "133", "77");
                      EXPECT_EQ(dialog.isVisible(), !c.saved) << c.name;
                      if (!c.saved)
                          EXPECT_EQ(dialog.focusWidget()->objectName(), "dtp_checktime");
                  });
        EXPECT_EQ(messages.shown,
                  c.saved ? QStringList() : QStringList{"inform:reading_same_minute"})
            << c.name;
        EXPECT_EQ(rows().size(), before.size() + (c.saved && c.row < 0 ? 1 : 0)) << c.name;
        EXPECT_EQ(rows().join(',').count("|133|77|"), c.saved ? 1 : 0) << c.name;
        dm1.adocom1.execute("update bp_record set systolic=140 where systolic=133");
    }
    EXPECT_FALSE(language.GetHintText("reading_same_minute").isEmpty());
}

TEST_F(ReadingByHand, EnterOrADoubleClickEditsTheRowInPlace) {
    chooseLanguage("german");
    selectRow(1);
    runDialog([this] { QTest::keyClick(page->grid(), Qt::Key_Return); },
              [](ReadingDialog& dialog) {
                  EXPECT_EQ(dialog.windowTitle(), "Messwert bearbeiten");
                  EXPECT_EQ(field<QDateTimeEdit>(dialog, "dtp_checktime")->text(),
                            "02.03.2011 08:00");
                  EXPECT_EQ(field<QLineEdit>(dialog, "edt_systolic")->text(), "140");
                  EXPECT_EQ(field<QLineEdit>(dialog, "edt_diastolic")->text(), "70");
                  EXPECT_EQ(field<QLineEdit>(dialog, "edt_heart_beat")->text(), "60");
                  EXPECT_FALSE(field<QCheckBox>(dialog, "chk_delselection")->isChecked());
                  enter(dialog, at("2011-03-04 18:45"), "141", "71", "", true);
              });
    EXPECT_EQ(rows(), (QStringList{"O'Brien|2011-03-01 08:00:00|120|80|70|0||",
                                   "Smith|2011-03-03 09:00:00|150|95|80|0||",
                                   "O'Brien|2011-03-04 18:45:00|141|71||1|03/04|18:45"}));
    EXPECT_EQ(shown().value(1), "True|O'Brien|141|71||04.03.2011 18:45");
    EXPECT_EQ(dm1.ado_analysis.recNo(), 2);

    selectRow(0);
    ui::DataGrid* grid = page->grid();
    EXPECT_TRUE(runDialog([grid] { emit grid->doubleClicked(grid->model()->index(0, 2)); },
                          [](ReadingDialog& dialog) {
                              EXPECT_EQ(field<QLineEdit>(dialog, "edt_systolic")->text(), "120");
                          }));
    EXPECT_EQ(rows().size(), 3);
}

TEST_F(ReadingByHand, DeleteAsksAndNoKeepsTheReading) {
    selectRow(1);
    messages.defaultAnswer = false;
    QTest::keyClick(page->grid(), Qt::Key_Delete);
    EXPECT_EQ(messages.shown, QStringList{"ask:reading_delete_ask[02.03.2011 08:00|140|70]"});
    EXPECT_EQ(rows().size(), 3);

    messages.defaultAnswer = true;
    QTest::keyClick(page->grid(), Qt::Key_Delete);
    EXPECT_EQ(rows(), (QStringList{"O'Brien|2011-03-01 08:00:00|120|80|70|0||",
                                   "Smith|2011-03-03 09:00:00|150|95|80|0||"}));
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(chartPoints(), 1);
}

// Rows of averages stand for many readings: none is edited or deleted through them.
TEST_F(ReadingByHand, AveragesAreNeitherEditedNorDeleted) {
    confirmAnalysis(measure::AnalysisMode::Month, {2011, 3, 1}, {2011, 3, 31});
    page->img_analyClick();
    bool opened =
        runDialog([this] { QTest::keyClick(page->grid(), Qt::Key_Return); }, [](ReadingDialog&) {});
    QTest::keyClick(page->grid(), Qt::Key_Delete);
    EXPECT_FALSE(opened);
    EXPECT_EQ(messages.shown, QStringList(2, "inform:reading_change_of_averages"));
    EXPECT_EQ(rows().size(), 3);

    // A new reading still counts in the averages at once.
    runDialog([this] { actions().newReading(); },
              [](ReadingDialog& dialog) { enter(dialog, at("2011-03-09 10:00"), "160", "80"); });
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(shown().value(0).section('|', 2, 3), "140|77");
}

TEST_F(ReadingByHand, KeyboardOnly) {
    QPushButton* button = actions().newButton();
    EXPECT_EQ(button->text(), "New reading");
    EXPECT_EQ(button->accessibleName(), "Enter a reading by hand");
    button->setFocus();
    runDialog(
        [button] { QTest::keyClick(button, Qt::Key_Space); },
        [](ReadingDialog& dialog) {
            QStringList order;
            QWidget* first = dialog.focusWidget();
            for (QWidget* widget = first; order.size() < 7; widget = widget->nextInFocusChain()) {
                if (widget->parentWidget() == &dialog && (widget->focusPolicy() & Qt::TabFocus))
                    order << widget->objectName();
            }
            EXPECT_EQ(order,
                      (QStringList{"dtp_checktime", "edt_systolic", "edt_diastolic",
                                   "edt_heart_beat", "chk_delselection", "btn_ok", "btn_cancel"}));
            for (const QString& name : order.mid(0, 5))
                EXPECT_FALSE(dialog.findChild<QWidget*>(name)->accessibleName().isEmpty())
                    << qPrintable(name);

            auto typed = [&dialog](const QString& text) {
                QTest::keyClicks(dialog.focusWidget(), text);
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            };
            typed("060320112105"); // each full section moves on to the next
            typed("118");
            typed("76");
            typed("64");
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
            EXPECT_FALSE(dialog.isVisible());
        });
    EXPECT_EQ(rows().value(3).toStdString(), "O'Brien|2011-03-06 21:05:00|118|76|64|1|03/06|21:05");

    QTest::keyClick(page->grid(), Qt::Key_End);
    runDialog([this] { QTest::keyClick(page->grid(), Qt::Key_Enter, Qt::KeypadModifier); },
              [](ReadingDialog& dialog) {
                  QTest::keyClicks(dialog.focusWidget(), "99");
                  QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
                  EXPECT_FALSE(dialog.isVisible());
              });
    EXPECT_EQ(rows().size(), 4);
    EXPECT_EQ(rows().value(3).toStdString(), "O'Brien|2011-03-06 21:05:00|118|76|64|1|03/06|21:05");
}

} // namespace
