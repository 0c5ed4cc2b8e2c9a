// tonvi.mdb files that another program made, changed or damaged: the program's start-up
// either comes up on them or refuses them with a message saying why, and a refused file
// keeps every byte.
#include "app/Tfrm_main.h"
#include "lang/LanguageStore.h"
#include "lang/WindowContext.h"
#include "pictures/PictureLibrary.h"
#include "store/DatabaseError.h"
#include "store/Tdm1.h"
#include "support/FakeMessages.h"
#include "support/TempAppDir.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>

namespace {

// What the program entry does, up to the shown main window: the refusal's text, or
// nothing when the program came up. title gets the caption of the message boxes.
std::optional<QString> start(const QString& dir, QString* title = nullptr) {
    store::Tdm1 dm1(dir);
    lang::LanguageStore language(dm1);
    pictures::PictureLibrary pictures(dir);
    FakeMessages messages;
    lang::WindowContext context{dir, dm1, language, pictures, messages};
    try {
        dm1.DataModuleCreate();
        language.selectLanguage();
        app::Tfrm_main window(context);
        window.show();
    } catch (const store::DatabaseError& error) {
        return error.message();
    }
    if (title)
        *title = language.TitleText();
    return std::nullopt;
}

class ForeignFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(start(dir.path()), std::nullopt); }

    QString path() const { return dir.file("tonvi.mdb"); }

    void change(const char* sql) {
        store::Database db;
        db.open(path());
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(db.handle(), sql, nullptr, nullptr, &error), SQLITE_OK) << error;
    }

    QByteArray bytes() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QByteArray& content) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    // Start-up refuses the file with a message naming it and the reason, and leaves it as
    // it was.
    void expectRefused(const char* reason) {
        const QByteArray before = bytes();
        const std::optional<QString> refusal = start(dir.path());
        ASSERT_TRUE(refusal.has_value());
        EXPECT_TRUE(refusal->contains(path())) << qPrintable(*refusal);
        EXPECT_TRUE(refusal->contains(reason)) << qPrintable(*refusal);
        EXPECT_EQ(bytes(), before) << "a refused file was changed";
        EXPECT_FALSE(QFile::exists(path() + "-journal"));
    }

    TempAppDir dir;
};

TEST_F(ForeignFile, ExtraTablesAndColumnsStartAndKeepTheirData) {
    change("create table notes(text); insert into notes values('kept');"
           "alter table bp_userinfo add column nickname text;"
           "alter table bp_record add column device text;"
           "insert into bp_userinfo(id,lastname,firstname,nickname) values(1,'Smith','J','Jo');"
           "insert into bp_record(personal,systolic,device) values('Smith',120,'arm')");
    ASSERT_EQ(start(dir.path()), std::nullopt);
    store::Database db;
    db.open(path());
    char* value = nullptr;
    const auto first = [](void* out, int, char** values, char**) {
        *static_cast<QString*>(out) = QString::fromUtf8(values[0]);
        return 0;
    };
    QString text;
    sqlite3_exec(db.handle(),
                 "select (select text from notes) || (select nickname from bp_userinfo) || "
                 "(select device from bp_record)",
                 first, &text, &value);
    EXPECT_EQ(text, "keptJoarm");
}

TEST_F(ForeignFile, MissingOptionRowOrLanguageColumnStartsInTheDefaultLanguage) {
    QString title;
    ASSERT_EQ(start(dir.path(), &title), std::nullopt);
    for (const char* sql :
         {"delete from bp_option", "insert into bp_option(language_def) values('klingon')"}) {
        change(sql);
        QString shown;
        EXPECT_EQ(start(dir.path(), &shown), std::nullopt) << sql;
        EXPECT_EQ(shown, title) << sql;
    }
}

TEST_F(ForeignFile, NullTextsInTheLanguageTableStart) {
    change("update bp_language set showtext=null, show_english=null, show_german=null, "
           "formname=null where rowid % 2 = 0;"
           "update bp_option set language_def='german'");
    EXPECT_EQ(start(dir.path()), std::nullopt);
}

TEST_F(ForeignFile, TruncatedFileIsRefusedUnchanged) {
    const QByteArray whole = bytes();
    ASSERT_GT(whole.size(), 8 * 4096);
    write(whole.left(whole.size() / 2));
    expectRefused("damaged");
    write(whole.left(100));
    expectRefused("");
}

TEST_F(ForeignFile, DamagedPagesAreRefusedUnchanged) {
    QByteArray damaged = bytes();
    const qsizetype pageSize = 4096;
    for (qsizetype page :
         {qsizetype(3), damaged.size() / pageSize / 2, damaged.size() / pageSize - 1})
        for (qsizetype i = 0; i < pageSize; i += 7)
            damaged[page * pageSize + i] = char(0xA5);
    write(damaged);
    expectRefused("damaged");
}

// Another program holds the file: reading (exclusive) or writing (reserved) is refused.
TEST_F(ForeignFile, FileLockedByAnotherProcessIsRefusedUnchanged) {
    for (const char* lock : {"begin exclusive;", "begin immediate;"}) {
        QProcess holder;
        holder.start("sqlite3", {path()});
        ASSERT_TRUE(holder.waitForStarted());
        holder.write(QByteArray(lock) + "\n.print held\n");
        while (!holder.readAllStandardOutput().contains("held"))
            ASSERT_TRUE(holder.waitForReadyRead(10000)) << lock;
        expectRefused("in use by another program");
        holder.closeWriteChannel();
        ASSERT_TRUE(holder.waitForFinished(10000));
    }
    EXPECT_EQ(start(dir.path()), std::nullopt) << "the file is used once it is let go";
}

} // namespace
