#include "device/TransferPage.h"

#include "ui/Toolbar.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace device {

namespace {

QComboBox* personList(const QString& name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    return list;
}

} // namespace

TransferPage::TransferPage(lang::WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), Panel12(new ui::Toolbar("Panel12", "Image9", this)),
      comb_user1_(personList("comb_user1", this)), comb_user2_(personList("comb_user2", this)) {
    setObjectName("Transfer");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel12);
    layout->addWidget(comb_user1_);
    layout->addWidget(comb_user2_);
    layout->addStretch();
}

void TransferPage::enterPage() {}

} // namespace device
