#pragma once

#include <QSize>

class QWidget;

namespace ui {

// Gives a top-level window the wanted size, as far as the available area of its screen
// (the parent's, else the primary one) holds it with the window's frame, and centres it
// in that area.
void fitIntoScreen(QWidget& window, const QSize& wanted);

} // namespace ui
