#pragma once

#include "output/ReportDocument.h"
#include "output/SummaryFacts.h"

namespace output {

// The first page of the summary: the person, the statistics table with the note under
// it, the trend of the period and the risk factors.
class SummaryPage : public ReportFrontPage {
public:
    explicit SummaryPage(SummaryFacts facts) : facts_(std::move(facts)) {}
    const SummaryFacts& facts() const { return facts_; }
    void paint(QPainter& painter, const QRectF& area, double fontSize, double k) const override;

private:
    SummaryFacts facts_;
};

} // namespace output
