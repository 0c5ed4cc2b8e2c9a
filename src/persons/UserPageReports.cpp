#include "lang/WindowContext.h"
#include "persons/UserPage.h"
#include "store/Tdm1.h"
#include "ui/ImageButton.h"
#include "ui/Toolbar.h"

namespace persons {

void UserPage::connectReportImages() {
    connect(Panel13->findChild<ui::ImageButton*>("img_preview_2"), &ui::ImageButton::clicked, this,
            &UserPage::img_preview_2Click);
    connect(Panel13->findChild<ui::ImageButton*>("img_print_2"), &ui::ImageButton::clicked, this,
            &UserPage::img_print_2Click);
}

void UserPage::img_preview_2Click() {
    reports_.ShowReport(context_.dm.ado_user, QStringLiteral("preview"),
                        context_.files.find(QStringLiteral("userinfo.rav")));
}

void UserPage::img_print_2Click() {
    reports_.ShowReport(context_.dm.ado_user, QStringLiteral("printer"),
                        context_.files.find(QStringLiteral("userinfo.rav")));
}

} // namespace persons
