#include "lang/Messages.h"

#include "LanguageDb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the next message box with the given button and records what it showed.
struct Answer {
    explicit Answer(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = {box->windowTitle(), box->text()};
            icon = box->icon();
            defaultButton = box->standardButton(box->defaultButton());
            box->button(button)->click();
        });
    }
    QStringList shown;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

TEST(MessageBoxes, ShowTheKeysTextUnderTheTitleAndAnswerOnlyYesAsTrue) {
    LanguageDb db;
    db.add({.component = "question", .showtext = "Go on?", .german = "Weiter?"});
    db.select("german");
    lang::MessageBoxes messages(db.language, nullptr);

    Answer yes(QMessageBox::Yes);
    EXPECT_TRUE(messages.ask("question"));
    EXPECT_EQ(yes.shown, QStringList({"Blutdruckmessgerät", "Weiter?"}));
    EXPECT_EQ(yes.icon, QMessageBox::Information);
    EXPECT_EQ(yes.defaultButton, QMessageBox::No) << "Enter answers a question with No";

    Answer no(QMessageBox::No);
    EXPECT_FALSE(messages.ask("question"));

    Answer ok(QMessageBox::Ok);
    messages.fail("question");
    EXPECT_EQ(ok.shown, QStringList({"Blutdruckmessgerät", "Weiter?"}));
    EXPECT_EQ(ok.icon, QMessageBox::Critical);
}

// Enter answers a question that deletes with No; a "%2" inside an argument stays.
TEST(MessageBoxes, AQuestionToDeleteFillsInItsArgumentsAndDefaultsToNo) {
    LanguageDb db;
    db.add({.component = "drop", .showtext = "Delete %1 with %2 readings?"});
    db.select("default");
    lang::MessageBoxes messages(db.language, nullptr);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_FALSE(messages.ask("drop", {"A %2 B", "3"}));
    EXPECT_EQ(shown, "Delete A %2 B with 3 readings?");
}

} // namespace
