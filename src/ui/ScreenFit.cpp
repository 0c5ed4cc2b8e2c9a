#include "ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

namespace {

// Room for the title bar and the borders, which are only known once the window is shown.
constexpr QSize FrameAllowance(16, 40);

} // namespace

void fitIntoScreen(QWidget& window, const QSize& wanted) {
    const QWidget* parent = window.parentWidget();
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return window.resize(wanted);
    const QRect available = screen->availableGeometry();
    const QSize size = wanted.boundedTo(available.size() - FrameAllowance);
    window.resize(size);
    QRect placed(QPoint(), size + FrameAllowance);
    placed.moveCenter(available.center());
    window.move(placed.topLeft());
}

} // namespace ui
