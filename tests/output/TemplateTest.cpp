#include "output/ReportTemplate.h"
#include "store/ReadingColumns.h"
#include "support/TempAppDir.h"
#include "testkit/ReportTemplates.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using output::TemplateError;

const QByteArray minimal = R"({"version": 1, "header": {"title": "t"},
    "columns": [{"field": "a", "title": "A"}]})";

TemplateError::Kind kindOf(const std::function<void()>& read, QString* detail = nullptr) {
    try {
        read();
    } catch (const TemplateError& error) {
        if (detail)
            *detail = error.detail();
        return error.kind;
    }
    ADD_FAILURE() << "no error";
    return TemplateError::Kind::Missing;
}

TEST(TemplateTest, ShippedTemplatesAreComplete) {
    TempAppDir dir;
    copyReportTemplates(dir.path());
    const QStringList names{"analysis_table.rav", "analysis_table_fx.rav", "userinfo.rav",
                            "bprecv.rav"};
    for (const QString& name : names) {
        const output::ReportTemplate design = output::loadTemplate(dir.file(name));
        EXPECT_FALSE(design.title.isEmpty()) << name.toStdString();
        EXPECT_GE(design.columns.size(), 4) << name.toStdString();
    }
    EXPECT_EQ(output::loadTemplate(dir.file("userinfo.rav")).orientation, QPageLayout::Landscape);
}

// A misspelt field would print an empty column: the reading reports name only columns of
// the table they run on, and sum only numbers.
TEST(TemplateTest, ReadingTemplatesNameColumnsOfTheirTable) {
    TempAppDir dir;
    copyReportTemplates(dir.path());
    const std::pair<const char*, store::ReadingTable> templates[] = {
        {"analysis_table.rav", store::ReadingTable::Saved},
        {"analysis_table_fx.rav", store::ReadingTable::Saved},
        {"bprecv.rav", store::ReadingTable::Memory}};
    for (const auto& [name, table] : templates) {
        SCOPED_TRACE(name);
        const output::ReportTemplate design = output::loadTemplate(dir.file(name));
        QStringList named{design.personField, design.periodField};
        for (const output::ReportColumn& column : design.columns)
            named.append(column.field);
        const QStringList held = store::readingColumnNames(table);
        for (const QString& field : named + design.summaryFields)
            EXPECT_TRUE(held.contains(field)) << field.toStdString();
        for (const QString& field : design.summaryFields)
            EXPECT_EQ(store::readingColumn(field).kind, store::FieldType::Integer)
                << field.toStdString();
    }
}

TEST(TemplateTest, OmittedFieldsTakeTheirDefaults) {
    const output::ReportTemplate design = output::parseTemplate(minimal);
    EXPECT_EQ(design.pageSize, QPageSize::A4);
    EXPECT_EQ(design.orientation, QPageLayout::Portrait);
    EXPECT_TRUE(design.summaryFields.isEmpty());
    EXPECT_TRUE(design.personField.isEmpty());
    ASSERT_EQ(design.columns.size(), 1);
    EXPECT_EQ(design.columns[0].align, Qt::AlignLeft);
    EXPECT_EQ(design.pageText, "report_page_of");
}

TEST(TemplateTest, MalformedTemplatesNameWhatIsWrong) {
    const struct {
        QByteArray text;
        const char* detail;
    } cases[] = {
        {minimal.left(minimal.size() / 2), "character"},
        {"", "character"},
        {"[1]", "not an object"},
        {R"({"version": 2, "header": {"title": "t"}, "columns": [{"field": "a", "title": "A"}]})",
         "\"version\""},
        {R"({"version": 1, "columns": [{"field": "a", "title": "A"}]})", "\"header\" is missing"},
        {R"({"version": 1, "header": {"title": "t"}, "columns": []})", "\"columns\""},
        {R"({"version": 1, "header": {"title": "t"}, "colums": [], "columns": [{"field": "a",
            "title": "A"}]})",
         "unknown field \"colums\" in the template"},
        {R"({"version": 1, "header": {"title": "t"}, "columns": [{"field": "a", "title": "A"},
            {"field": "b", "title": "B", "colour": "red"}]})",
         "unknown field \"colour\" in columns[1]"},
        {R"({"version": 1, "header": {"title": "t"}, "columns": [{"field": "a", "title": "A",
            "width": "wide"}]})",
         "\"width\" in columns[0]"},
        {R"({"version": 1, "header": {"title": 5}, "columns": [{"field": "a", "title": "A"}]})",
         "\"title\" in header is not a text"},
        {R"({"version": 1, "page": {"orientation": "sideways"}, "header": {"title": "t"},
            "columns": [{"field": "a", "title": "A"}]})",
         "\"orientation\" in page"},
        {R"({"version": 1, "page": {"margins_mm": {"left": -1}}, "header": {"title": "t"},
            "columns": [{"field": "a", "title": "A"}]})",
         "\"left\" in margins_mm"},
        {R"({"version": 1, "header": {"title": "t"}, "columns": [{"field": "a", "title": "A"}],
            "summary": {"fields": [1]}})",
         "summary"},
    };
    for (const auto& c : cases) {
        QString detail;
        EXPECT_EQ(kindOf([&] { output::parseTemplate(c.text); }, &detail),
                  TemplateError::Kind::Malformed)
            << c.text.toStdString();
        EXPECT_TRUE(detail.contains(c.detail)) << detail.toStdString();
    }
}

TEST(TemplateTest, MissingAndUnreadableFilesAreToldApart) {
    TempAppDir dir;
    EXPECT_EQ(kindOf([&] { output::loadTemplate(dir.file("absent.rav")); }),
              TemplateError::Kind::Missing);
    QDir(dir.path()).mkdir("folder.rav");
    EXPECT_EQ(kindOf([&] { output::loadTemplate(dir.file("folder.rav")); }),
              TemplateError::Kind::Unreadable);
}

} // namespace
