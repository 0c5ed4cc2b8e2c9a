#include "measure/DataPage.h"

#include "ui/Toolbar.h"

#include <QStackedWidget>
#include <QVBoxLayout>

namespace measure {

DataPage::DataPage(QWidget* parent)
    : QWidget(parent), Panel15(new ui::Toolbar("Panel15", "Image10", this)),
      Notebook2(new QStackedWidget(this)) {
    setObjectName("Analysis_Table");
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

} // namespace measure
