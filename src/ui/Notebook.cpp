#include "ui/Notebook.h"

#include <QStackedWidget>

namespace ui {

bool showPage(QStackedWidget& notebook, const QString& name) {
    for (int i = 0; i < notebook.count(); ++i) {
        QWidget* page = notebook.widget(i);
        if (page->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            notebook.setCurrentWidget(page);
            return true;
        }
    }
    return false;
}

} // namespace ui
