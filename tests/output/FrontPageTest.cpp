#include "ReportFixture.h"

#include <QPainter>

namespace {

// A first page that writes one word.
class Cover : public output::ReportFrontPage {
public:
    void paint(QPainter& painter, const QRectF& area, double, double) const override {
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, "COVER");
    }
};

class FrontPageTest : public ReportFixture {
protected:
    std::unique_ptr<output::ReportDocument> withCover(int readings) {
        this->readings("bp_record", "Miller", readings);
        list.setCommandText("select delselection,personal,systolic,diastolic,heart_beat,checktime "
                            "from bp_record order by checktime");
        list.open();
        const QString path = dir.file("analysis_table.rav");
        output::ReportHeading heading;
        heading.frontPage = std::make_shared<Cover>();
        return std::make_unique<output::ReportDocument>(
            path, output::loadTemplate(path), list,
            [this](const QString& key) { return language.GetHintText(key); }, heading);
    }

    store::Dataset& list = dm1.ado_analysis;
};

// The cover is page 1 under the header; the rows and their summary follow from page 2.
TEST_F(FrontPageTest, CoverComesFirstAndTheRowsFollowOnTheirOwnPages) {
    const struct {
        int readings;
        int pages; // beside the rows' pages without a cover
    } cases[] = {{0, 0}, {3, 1}, {120, 1}};
    for (const auto& c : cases) {
        dm1.adocom1.execute("delete from bp_record");
        list.close();
        const auto document = withCover(c.readings);
        const int pages = c.pages + report("analysis_table.rav", list)->pageCount();
        ASSERT_GE(pages, c.readings / 50); // 120 rows fill several pages
        ASSERT_EQ(document->pageCount(), pages) << c.readings;
        const QStringList texts = pdfText(*document).split('\f');
        const QString first = texts.value(0);
        EXPECT_TRUE(first.contains("COVER")) << c.readings;
        EXPECT_TRUE(first.contains("Person: Miller") || c.readings == 0) << c.readings;
        EXPECT_FALSE(first.contains("Systolic (mmHg)")) << c.readings;
        EXPECT_TRUE(first.contains(QString("Page 1 of %1").arg(pages))) << c.readings;
        if (c.readings == 0)
            continue;
        EXPECT_FALSE(texts.value(1).contains("COVER")) << c.readings;
        EXPECT_TRUE(texts.value(1).contains("Systolic (mmHg)")) << c.readings;
        EXPECT_TRUE(
            texts.value(pages - 1).contains(QString("Number of readings: %1").arg(c.readings)))
            << c.readings;
        EXPECT_TRUE(inOrder(lines(texts.mid(1).join('\n')),
                            rowTexts(list, {"checktime", "systolic", "diastolic", "heart_beat"})))
            << c.readings;
    }
}

} // namespace
