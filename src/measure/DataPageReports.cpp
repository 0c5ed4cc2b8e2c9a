#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/DataPage.h"
#include "store/Tdm1.h"
#include "ui/ImageButton.h"
#include "ui/Toolbar.h"

#include <QComboBox>
#include <QDateEdit>

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

} // namespace measure
