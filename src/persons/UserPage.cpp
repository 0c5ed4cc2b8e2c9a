#include "persons/UserPage.h"

#include "ui/Toolbar.h"

#include <QVBoxLayout>

namespace persons {

UserPage::UserPage(lang::WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), Panel13(new ui::Toolbar("Panel13", "Image8", this)) {
    setObjectName("User");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel13);
    layout->addStretch();
}

void UserPage::enterPage() {}

void UserPage::AddUserInfo() {}

} // namespace persons
