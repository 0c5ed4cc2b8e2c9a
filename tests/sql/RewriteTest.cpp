#include "DialectStatements.h"
#include "store/JetSql.h"

#include <gtest/gtest.h>

using store::JetSql::rewrite;

namespace {

std::string rewritten(const char* sql) {
    return rewrite(QString::fromUtf8(sql)).toStdString();
}

} // namespace

TEST(Rewrite, DeleteStarLosesTheStar) {
    EXPECT_EQ(rewritten("delete * from bp_record_user1"), "delete from bp_record_user1");
    EXPECT_EQ(rewritten("DELETE  *  FROM bp_record where systolic=1"),
              "DELETE  FROM bp_record where systolic=1");
}

TEST(Rewrite, JoinedDeleteBecomesCorrelatedExists) {
    EXPECT_EQ(rewrite(dialect::joinedDelete("bp_record_user1")).toStdString(),
              "delete from bp_record_user1 as a where exists (select 1 from (select "
              "a.personal,a.personal_key,a.systolic,a.diastolic,a.heart_beat,a.checktime,"
              "a.checktime_mmdd,a.checktime_hhmm,a.measurement_status from bp_record_user1 a,"
              "bp_record b  where "
              "a.personal_key=b.personal_key and a.systolic=b.systolic and "
              "a.diastolic=b.diastolic and a.heart_beat=b.heart_beat  and a.checktime=b.checktime) "
              "b where a.personal_key=b.personal_key and a.systolic=b.systolic and "
              "a.diastolic=b.diastolic and a.heart_beat=b.heart_beat  and "
              "a.checktime=b.checktime)");
    EXPECT_EQ(rewritten("delete x.* from t x,u y where x.k=y.k"),
              "delete from t as x where exists (select 1 from u y where x.k=y.k)");
}

TEST(Rewrite, IncompleteJoinedDeletesStayAsTheyAre) {
    for (const char* sql :
         {"delete a.* from t b,u c where a.k=c.k", "delete a.* from t a",
          "delete a.* from t a,(select 1 c where a.k=c.k", "delete a.* from t a,u where a.k=u.k"}) {
        EXPECT_EQ(rewritten(sql), sql);
    }
}

TEST(Rewrite, DateLiteralsBecomeMidnightInTheStoredForm) {
    EXPECT_EQ(rewritten("checktime>=#2011-3-5# and checktime<#2011-12-31#"),
              "checktime>='2011-03-05 00:00:00' and checktime<'2011-12-31 00:00:00'");
    EXPECT_EQ(rewritten("x=#2012-02-29#"), "x='2012-02-29 00:00:00'");
}

TEST(Rewrite, WhatIsNoValidDateLiteralStaysAsItIs) {
    for (const char* sql : {"x=#2011-2-29#", "x=#2011-13-1#", "x=#11-3-5#", "x=#2011-3-5",
                            "x=#2011/3/5#", "x=#2011-3-5 10:00#"}) {
        EXPECT_EQ(rewritten(sql), sql);
    }
}

TEST(Rewrite, ColumnGroupIsQuotedButGroupByIsNot) {
    EXPECT_EQ(rewritten("select * from bp_language where formname='frm_main' and "
                        "[group]<>'hint' order by formname,group,component,component_index"),
              "select * from bp_language where formname='frm_main' and \"group\"<>'hint' "
              "order by formname,\"group\",component,component_index");
    EXPECT_EQ(rewritten("select x from t group  by x order by Group"),
              "select x from t group  by x order by \"Group\"");
    EXPECT_EQ(rewritten("select [a\"b] from t"), "select \"a\"\"b\" from t");
}

TEST(Rewrite, QuotedTextIsNeverRewritten) {
    for (const char* sql :
         {"select * from t where n='delete * from x #2011-1-1# [group] group'",
          "delete from t where n='O''Brien ''#2011-1-1#'' delete * from'",
          "select \"#2011-1-1# [group]\" from t", "select 'unterminated #2011-1-1# [group]"}) {
        EXPECT_EQ(rewritten(sql), sql);
    }
    EXPECT_EQ(rewritten("select '#2011-1-1#',#2011-1-1#,'''#2011-1-1#'''"),
              "select '#2011-1-1#','2011-01-01 00:00:00','''#2011-1-1#'''");
}

TEST(Rewrite, OtherStatementsPassUnchanged) {
    for (const char* sql :
         {"select * from bp_option",
          "insert into bp_record(personal,systolic,diastolic,heart_beat,checktime,"
          "checktime_mmdd,checktime_hhmm)  select a.personal,a.systolic,a.diastolic,"
          "a.heart_beat,a.checktime,a.checktime_mmdd,a.checktime_hhmm from bp_record_user1 a",
          "select * from t where a = :a1 order by b DESC", "", "  "}) {
        EXPECT_EQ(rewritten(sql), sql);
    }
}

// Names compare, group and sort by their case-folded keys; what cannot be told apart
// safely stays as it is.
TEST(Rewrite, NamesCompareByTheirKeys) {
    const std::pair<const char*, const char*> cases[] = {
        {"select * from bp_record where personal=:a1 order by personal,checktime",
         "select * from bp_record where personal_key=foldcase(:a1) order by "
         "personal_key,checktime"},
        {"select * from bp_userinfo where LastName = 'O''Brien' and id<>3",
         "select * from bp_userinfo where LastName_key = foldcase('O''Brien') and id<>3"},
        {"update bp_record set personal='A' where personal<>?",
         "update bp_record set personal='A' where personal_key<>foldcase(?)"},
        {"select lastname from bp_userinfo group by lastname",
         "select lastname from bp_userinfo group by lastname_key"},
        {"select * from t a, u b where (a.personal = b.personal or b.personal>=@p)",
         "select * from t a, u b where (a.personal_key = b.personal_key or "
         "b.personal_key>=foldcase(@p))"},
        {"select x from (select personal from t) q where q.personal='A'",
         "select x from (select personal,personal_key from t) q where "
         "q.personal_key=foldcase('A')"},
        {"select * from t where x=(select personal from u where personal=$n)",
         "select * from t where x=(select personal from u where personal_key=foldcase($n))"},
        {"select personal(x), personal from t where personal is null or personal=x or "
         "upper(personal)='A' or personal in ('A') or personal=\"A\"",
         "select personal(x), personal from t where personal is null or personal=x or "
         "upper(personal)='A' or personal in ('A') or personal=\"A\""},
    };
    for (const auto& [sql, expected] : cases)
        EXPECT_EQ(rewritten(sql), expected) << sql;
}
