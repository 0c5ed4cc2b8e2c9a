#pragma once

class QWidget;

namespace ui {

// Shows the window in front of the others and gives it the focus; a minimised window comes
// back as it was before (maximised stays maximised).
void bringToFront(QWidget& window);

} // namespace ui
