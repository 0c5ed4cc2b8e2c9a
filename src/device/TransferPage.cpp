#include "device/TransferPage.h"

#include "ui/Toolbar.h"

#include <QVBoxLayout>

namespace device {

TransferPage::TransferPage(QWidget* parent)
    : QWidget(parent), Panel12(new ui::Toolbar("Panel12", "Image9", this)) {
    setObjectName("Transfer");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel12);
    layout->addStretch();
}

} // namespace device
