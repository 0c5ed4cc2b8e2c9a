#include "persons/UserPage.h"

#include "ui/Toolbar.h"

#include <QVBoxLayout>

namespace persons {

UserPage::UserPage(QWidget* parent)
    : QWidget(parent), Panel13(new ui::Toolbar("Panel13", "Image8", this)) {
    setObjectName("User");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel13);
    layout->addStretch();
}

} // namespace persons
