#include "measure/DataPage.h"

#include "ui/Toolbar.h"

#include <QComboBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace measure {

DataPage::DataPage(lang::WindowContext& context, QWidget* parent)
    : QWidget(parent), context_(context), Panel15(new ui::Toolbar("Panel15", "Image10", this)),
      comb_user_(new QComboBox(this)), Notebook2(new QStackedWidget(this)) {
    setObjectName("Analysis_Table");
    comb_user_->setObjectName("comb_user");
    Panel15->addWidget(comb_user_);
    Notebook2->setObjectName("Notebook2");
    for (const char* name : {"Home", "User"}) {
        auto* page = new QWidget(Notebook2);
        page->setObjectName(name);
        Notebook2->addWidget(page);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel15);
    layout->addWidget(Notebook2, 1);
}

void DataPage::enterPage() {}

} // namespace measure
