#pragma once

#include <QString>

class QStackedWidget;

namespace ui {

// Shows the page whose objectName equals name without regard to case. A name the
// stack does not have leaves the current page; the result says whether it was found.
bool showPage(QStackedWidget& notebook, const QString& name);

} // namespace ui
