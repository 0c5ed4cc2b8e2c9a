// The database and its journal are private to their owner, and the note of a clean close
// tells a file nobody touched since from one that needs its page check.
#include "StoreFixture.h"
#include "store/CleanClose.h"
#include "support/FileMode.h"

#include <QFile>

using namespace store;

namespace {

// The journal's mode while a write is open.
int journalMode(Database& db, const QString& path) {
    Transaction transaction(db);
    db.execute("insert into bp_record (personal) values ('x')");
    return modeOf(path + "-journal");
}

TEST(PrivateFile, NewDatabaseAndJournalAreTheOwnersAloneWhateverTheUmask) {
    for (mode_t mask : {mode_t(0), mode_t(022), mode_t(077)}) {
        TempAppDir dir;
        const QString path = dir.file("tonvi.mdb");
        const ScopedUmask umask(mask);
        Database db;
        db.open(path);
        EXPECT_EQ(modeOf(path), 0600) << mask;
        EXPECT_EQ(journalMode(db, path), 0600) << mask;
        db.close();
        EXPECT_EQ(modeOf(path + "-closed"), 0600) << mask;
    }
}

TEST(PrivateFile, AnExistingFileKeepsItsMode) {
    TempAppDir dir;
    const QString path = dir.file("tonvi.mdb");
    Database db;
    db.open(path);
    db.close();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    db.open(path);
    EXPECT_EQ(journalMode(db, path), 0640);
    db.close();
    EXPECT_EQ(modeOf(path), 0640);
}

class CleanCloseNote : public StoreFixture {
protected:
    QString path() const { return dir.file("tonvi.mdb"); }
};

TEST_F(CleanCloseNote, MatchesOnlyTheFileAsTheProgramLeftIt) {
    const CleanClose note(path());
    EXPECT_FALSE(note.matches()) << "no note while the file is open";
    db.close();
    EXPECT_TRUE(note.matches());

    // Written in place with the same size and the same bytes: only the time tells.
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray same = file.read(4096);
    file.seek(0);
    file.write(same);
    file.close();
    EXPECT_FALSE(note.matches());

    db.open(path());
    EXPECT_FALSE(QFile::exists(note.notePath())) << "the note goes before the first write";
    db.execute("insert into bp_record (personal) values ('x')");
    db.close();
    EXPECT_TRUE(note.matches());
    note.forget();
    EXPECT_FALSE(note.matches());
}

} // namespace
