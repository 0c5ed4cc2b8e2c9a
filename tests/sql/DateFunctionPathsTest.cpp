#include "TestDb.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::string>;

// Days in the stored shape ("2011-03-05 07:30:00") and the same days written with slashes
// ("2011/03/05 07:30:00"), which the functions read through QDate: both must give the same
// results, across leap days, year ends, weeks across New Year and the ends of the range.
TEST(DateFunctionPaths, StoredShapeAndGeneralPathAgree) {
    TestDb db;
    const struct {
        const char* from;
        int days;
    } ranges[] = {{"0001-01-01", 800},  {"1582-09-01", 200}, {"1899-11-01", 500},
                  {"1999-11-01", 1300}, {"2023-12-01", 800}, {"2099-12-01", 500},
                  {"9998-06-01", 578}};
    const char* expressions[] = {"format(%1,'yyyy-MM-dd')",
                                 "format(%1,'dd.MM.yyyy')",
                                 "format(%1,'yyyy-MM')",
                                 "format(%1,'MM/dd/yyyy x')",
                                 "format(%1,'d.M.yy')",
                                 "DatePart('w',%1)",
                                 "DatePart('ww',%1)",
                                 "DatePart('WW',%1)",
                                 "DatePart('yyyy',%1)",
                                 "DatePart('q',%1)",
                                 "DatePart('m',%1)",
                                 "DatePart('d',%1)",
                                 "DatePart('h',%1)",
                                 "DateAdd('d',7-DatePart('w',%1),%1)",
                                 "DateAdd('D',-1,%1)",
                                 "DateAdd('d',366,%1)",
                                 "DateAdd('d',-4000,%1)",
                                 "DateAdd('d','12',%1)",
                                 "DateAdd('d',2.5,%1)",
                                 "DateAdd('m',1,%1)",
                                 "format(DateAdd('d',7-DatePart('w',%1),%1),'yyyy-MM-dd')"};
    for (const auto& range : ranges) {
        for (const char* expression : expressions) {
            const QString stored = QString(expression).arg("(x||' 07:30:00')");
            const QString general = QString(expression).arg("(replace(x,'-','/')||' 07:30:00')");
            const QString days =
                QStringLiteral("with recursive d(x,n) as (select '%1',0 union all select "
                               "date(x,'+1 day'),n+1 from d where n<%2) select ")
                    .arg(range.from)
                    .arg(range.days);
            const QString storedSql = days + stored + " from d";
            const QString generalSql = days + general + " from d";
            const std::string failure = db.error(storedSql);
            EXPECT_EQ(failure.empty(), db.error(generalSql).empty()) << expression;
            if (failure.empty())
                EXPECT_EQ(db.rows(storedSql), db.rows(generalSql))
                    << expression << " from " << range.from;
        }
    }
}

// Texts near the stored shape, other types and NULL, on whichever path they take.
TEST(DateFunctionPaths, OddValues) {
    TestDb db;
    const struct {
        const char* expression;
        const char* result; // nullptr: the function fails
    } cases[] = {
        {"format('2019-02-29 10:00:00','yyyy-MM-dd')", "2019-02-29 10:00:00"},
        {"format('2011-03-05x','yyyy-MM-dd')", "2011-03-05x"},
        {"format('2011-03-05T07:30','dd.MM.yyyy')", "05.03.2011"},
        {"format('2011-03-05 07:30:00','dd\xc2\xb7MM')", "05\xc2\xb7"
                                                         "03"},
        {"format(20110305,'yyyy-MM-dd')", "20110305"},
        {"format(null,'yyyy-MM-dd')", "NULL"},
        {"format('2011-03-05',null)", ""},
        {"DatePart('w','2011-03-05 07:30:00\xc3\xa9')", "7"},
        {"DatePart(null,'2011-03-05')", nullptr},
        {"DatePart('w','0000-01-01')", nullptr},
        {"DatePart('w',null)", "NULL"},
        {"DateAdd('d',1,'2011-03-05 07:30:00\xc3\xa9')", "2011-03-06 07:30:00\xc3\xa9"},
        {"DateAdd('d',1,'2011-03-05T07:30')", "2011-03-06T07:30"},
        {"DateAdd('d',1,'2011-03-05 ')", "2011-03-06 "},
        {"DateAdd('d',-1,'0001-01-01 07:30:00')", " 07:30:00"},
        {"DateAdd('d',1,'9999-12-31')", ""},
        {"DateAdd('d',9000000000,'2011-03-05')", ""},
        {"DateAdd('dd',1,'2011-03-05')", nullptr},
        {"DateAdd('d',1,'2011-02-29')", nullptr},
        {"DateAdd('d',null,'2011-03-05')", "NULL"},
        {"hex(format('2011-03-05','dd'||char(0)||'MM'))", "3035003033"},
        {"hex(format('2011/03/05','dd'||char(0)||'MM'))", "3035003033"},
        {"hex(DateAdd('d',1,'2011-03-05 '||char(0)||'x'))", "323031312D30332D30362000"
                                                            "78"},
        {"hex(DateAdd('d',1,'2011/03/05 '||char(0)||'x'))", "323031312D30332D30362000"
                                                            "78"},
    };
    for (const auto& c : cases) {
        const QString sql = QStringLiteral("select %1").arg(QString::fromUtf8(c.expression));
        if (c.result)
            EXPECT_EQ(db.value(sql), c.result) << c.expression;
        else
            EXPECT_NE(db.error(sql), "") << c.expression;
    }
}

} // namespace
