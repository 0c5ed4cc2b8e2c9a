#include "store/LanguageSeed.h"

#include "StoreFixture.h"
#include "store/DatabaseError.h"
#include "store/Schema.h"

#include <QFile>

using namespace store;

namespace {

QString parseError(const QString& text) {
    try {
        LanguageSeed::parse("x.tsv", text);
    } catch (const DatabaseError& error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST(LanguageSeed, EveryCompiledInFileLoads) {
    const QStringList files = LanguageSeed::files(":/seed");
    ASSERT_FALSE(files.isEmpty());
    for (const QString& path : files) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_NO_THROW(LanguageSeed::parse(path, QString::fromUtf8(file.readAll())))
            << path.toStdString();
    }
}

TEST(LanguageSeed, ReadsCellsWithDefaultsAndEscapes) {
    const QString text = "formname\tGroup\tcomponent_index\tshowtext\tshow_width\tshow\r\n"
                         "# comment\r\n"
                         "\n"
                         "frm_main\tgrid\t2\tA\\tB\\nC\\\\D\t80\ttrue\r\n"
                         "frm_main\tcaption\t\t\t\t\n"
                         "frm_main\tgrid\t0\tx\t1\t0\n";
    const LanguageSeed::Rows rows = LanguageSeed::parse("x.tsv", QChar(0xFEFF) + text);
    EXPECT_EQ(rows.columns, QStringList({"formname", "group", "component_index", "showtext",
                                         "show_width", "show"}));
    ASSERT_EQ(rows.values.size(), 3);
    EXPECT_EQ(rows.values[0], QVariantList({"frm_main", "grid", 2, "A\tB\nC\\D", 80, -1}));
    const QVariantList& empty = rows.values[1];
    EXPECT_TRUE(empty[2].isNull());
    EXPECT_EQ(empty[3], QVariant(QString("")));
    EXPECT_TRUE(empty[4].isNull());
    EXPECT_EQ(empty[5], QVariant(0));
    EXPECT_EQ(rows.values[2][5], QVariant(0));
}

TEST(LanguageSeed, RefusesBrokenFilesNamingFileAndLine) {
    EXPECT_TRUE(parseError("formname\tcomponent\n\nfrm_main\n").startsWith("x.tsv, line 3"));
    EXPECT_TRUE(parseError("formname\tcomponent\na\tb\tc\n").contains("line 2"));
    EXPECT_TRUE(parseError("formname\tcolour\n").contains("unknown column"));
    EXPECT_TRUE(parseError("show\nyes\n").contains("line 2"));
    EXPECT_TRUE(parseError("show_width\nwide\n").contains("line 2"));
    EXPECT_TRUE(parseError("showtext\nC:\\data\n").contains("unknown escape"));
}

TEST(LanguageSeed, LoadsFilesInNameOrder) {
    TempAppDir seed;
    TempAppDir app;
    for (const auto& [name, text] : {std::pair{"b.tsv", "component\nsecond\n"},
                                     std::pair{"a.tsv", "component\tshow\nfirst\t1\n"}}) {
        QFile file(seed.file(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    Schema::createFile(app.file("tonvi.mdb"), seed.path());
    Database db;
    db.open(app.file("tonvi.mdb"));
    Dataset rows(db, WriteMode::Immediate);
    rows.setCommandText("select component, show, formname from bp_language order by rowid");
    rows.open();
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.asString("component"), "first");
    EXPECT_TRUE(rows.asBoolean("show"));
    rows.next();
    EXPECT_EQ(rows.asString("component"), "second");
    EXPECT_FALSE(rows.asBoolean("show"));
    EXPECT_EQ(rows.value("formname"), QVariant(QString("")));
}
