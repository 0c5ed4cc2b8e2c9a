#include "store/Tdm1.h"

#include "support/TempAppDir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace store;

TEST(Tdm1, LinkStringIsTheFileBesideTheProgram) {
    EXPECT_EQ(Tdm1("/opt/app").GetDBLinkStr(), QDir("/opt/app").filePath("tonvi.mdb"));
}

TEST(Tdm1, StartupEmptiesTheScratchTablesAndOpensTheDatasets) {
    TempAppDir dir;
    {
        Tdm1 first(dir.path());
        first.DataModuleCreate();
        for (Dataset* memory : {&first.ado_rc1, &first.ado_rc2}) {
            memory->append();
            memory->setValue("idno", 1);
            memory->setValue("personal", "Smith");
            memory->post();
            memory->applyUpdates();
        }
        first.adocom1.execute("insert into bp_record (personal) values ('kept')");
    }
    Tdm1 second(dir.path());
    second.DataModuleCreate();
    for (Dataset* set :
         {&second.ado_rc1, &second.ado_rc2, &second.ado_cfg, &second.ado_user, &second.ado_option})
        EXPECT_TRUE(set->isActive());
    EXPECT_TRUE(second.ado_rc1.isEmpty());
    EXPECT_TRUE(second.ado_rc2.isEmpty());
    EXPECT_EQ(second.ado_rc1.writeMode(), WriteMode::Cached);
    EXPECT_EQ(second.ado_option.asString("language_def"), "default");

    Dataset check(second.ADOConnection1, WriteMode::Immediate);
    check.setCommandText("select (select count(*) from bp_record_user1) + "
                         "(select count(*) from bp_record_user2) as scratch, "
                         "(select count(*) from bp_record) as kept");
    check.open();
    EXPECT_EQ(check.asInteger("scratch"), 0);
    EXPECT_EQ(check.asInteger("kept"), 1);

    ASSERT_FALSE(second.ado_cfg.isEmpty());
    for (second.ado_cfg.first(); !second.ado_cfg.eof(); second.ado_cfg.next()) {
        const QString group = second.ado_cfg.asString("GROUP");
        EXPECT_TRUE(group == "hint" || group == "title") << group.toStdString();
    }
    EXPECT_TRUE(second.ado_cfg.locate("component", "title"));
}
