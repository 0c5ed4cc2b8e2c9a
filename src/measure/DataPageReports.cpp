#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/CategoryColumn.h"
#include "measure/DataPage.h"
#include "measure/StatisticsView.h"
#include "output/SummaryPage.h"
#include "store/Tdm1.h"
#include "ui/ImageButton.h"
#include "ui/Toolbar.h"

#include <QComboBox>
#include <QDateEdit>
#include <QStackedWidget>

namespace measure {

void DataPage::connectReportImages() {
    connect(Panel15->findChild<ui::ImageButton*>("img_preview_1"), &ui::ImageButton::clicked, this,
            &DataPage::img_preview_1Click);
    connect(Panel15->findChild<ui::ImageButton*>("img_print_1"), &ui::ImageButton::clicked, this,
            &DataPage::img_print_1Click);
}

void DataPage::img_preview_1Click() {
    showReport(QStringLiteral("preview"), QStringLiteral("preview_before_table_not_open"));
}

void DataPage::img_print_1Click() {
    showReport(QStringLiteral("printer"), QStringLiteral("print_before_table_not_open"));
}

void DataPage::showReport(const QString& showType, const QString& notOpenKey) {
    if (!list().isActive()) {
        context_.messages.inform(notOpenKey);
        return;
    }
    if (Notebook2->currentWidget() == statistics_) {
        showSummary(showType);
        return;
    }
    if (FallowDel) {
        reports_.ShowReport(list(), showType,
                            context_.files.find(QStringLiteral("analysis_table.rav")));
        return;
    }
    // The range asked for, not the span of the periods; months carry no name.
    const output::ReportHeading heading{comb_user_->currentText(),
                                        dates_.write(da1->date()) + QStringLiteral(" – ") +
                                            dates_.write(da2->date()),
                                        periodFormat_};
    reports_.ShowReport(list(), showType,
                        context_.files.find(QStringLiteral("analysis_table_fx.rav")), heading);
}

// Of the stored readings behind the statistics, whether the list holds them or their
// averages.
void DataPage::showSummary(const QString& showType) {
    const QString person = comb_user_->currentText();
    guarded([&] {
        store::Dataset rows(context_.dm.ADOConnection1, store::WriteMode::Immediate);
        openReadingList(rows, person, listRange_);
        output::SummaryFacts facts =
            output::summaryFacts(context_.dm.ADOConnection1, context_.language, person,
                                 listRange_.first(), listRange_.last(), scheme_);
        output::ReportHeading heading;
        heading.person = facts.fullName;
        const auto span = [this](const QDate& first, const QDate& last) {
            return dates_.write(first) + QStringLiteral(" – ") + dates_.write(last);
        };
        if (!listRange_.open())
            heading.period = span(listRange_.first(), listRange_.last());
        else if (!facts.readings.isEmpty())
            heading.period =
                span(facts.readings.first().moment.date(), facts.readings.last().moment.date());
        heading.rowCells.insert(
            QStringLiteral("category"),
            categoryColumn([scheme = scheme_] { return scheme; }, context_.language).rowCell);
        heading.frontPage = std::make_shared<output::SummaryPage>(std::move(facts));
        reports_.ShowReport(rows, showType, context_.files.find(QStringLiteral("summary.rav")),
                            heading);
    });
}

} // namespace measure
