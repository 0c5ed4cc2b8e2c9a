#include "store/IniFile.h"

#include "support/TempAppDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray rewrite(const TempAppDir& dir, const QByteArray& before, const QString& value) {
    const QString path = dir.file("a.ini");
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(before);
    out.close();
    auto ini = store::IniFile::load(path);
    EXPECT_TRUE(ini && ini->write(u"s", u"k", value));
    QFile in(path);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly));
    return in.readAll();
}

TEST(IniFileTest, WriteUpdatesFirstMatchingKeyInPlace) {
    TempAppDir dir;
    EXPECT_EQ(rewrite(dir, "[t]\nk=0\n[S]\n;k=1\n K = 2\nk=3\n[s]\nk=4", "9"),
              "[t]\nk=0\n[S]\n;k=1\n K =9\nk=3\n[s]\nk=4\n");
}

TEST(IniFileTest, WriteKeepsEncodingOfFile) {
    TempAppDir dir;
    const QString text = QStringLiteral("\uFEFF[s]\r\nk=\u00e9\r\n");
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString changed = QStringLiteral("\uFEFF[s]\r\nk=\u20ac\r\n");
    EXPECT_EQ(rewrite(dir, utf16, QStringLiteral("\u20ac")),
              QByteArray(reinterpret_cast<const char*>(changed.utf16()), changed.size() * 2));
    // Bytes that are not UTF-8 come back unchanged.
    EXPECT_EQ(rewrite(dir, "; caf\xE9\n[s]\nk=1\n", "2"), "; caf\xE9\n[s]\nk=2\n");
    EXPECT_EQ(rewrite(dir, "[s]\nk=\xC3\xA9\n", QStringLiteral("\u00fc")), "[s]\nk=\xC3\xBC\n");
}

TEST(IniFileTest, UnreadableFileIsNotLoaded) {
    TempAppDir dir;
    EXPECT_FALSE(store::IniFile::load(dir.path()));
}

} // namespace
