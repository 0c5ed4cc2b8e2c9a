#include "lang/Messages.h"
#include "lang/WindowContext.h"
#include "measure/DataPage.h"
#include "store/Tdm1.h"
#include "ui/ImageButton.h"
#include "ui/Toolbar.h"

#include <QDir>

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
    const QString file =
        FallowDel ? QStringLiteral("analysis_table.rav") : QStringLiteral("analysis_table_fx.rav");
    reports_.ShowReport(list(), showType, QDir(context_.appDir).filePath(file));
}

} // namespace measure
