#include "ui/Panel.h"

#include <QPainter>

namespace ui {

Panel::Panel(const QString& objectName, QWidget* parent) : QFrame(parent) {
    setObjectName(objectName);
}

void Panel::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void Panel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (caption_.isEmpty())
        return;
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
}

} // namespace ui
