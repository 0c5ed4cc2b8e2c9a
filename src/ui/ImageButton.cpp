#include "ui/ImageButton.h"

#include "ui/ImageButtonAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

ImageButton::ImageButton(const QString& objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(objectName);
    static const bool described = (QAccessible::installFactory(&imageButtonAccessible), true);
    Q_UNUSED(described);
}

void ImageButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    updateGeometry();
    update();
}

void ImageButton::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void ImageButton::setDown(bool down) {
    down_ = down;
    update();
}

void ImageButton::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

QSize ImageButton::sizeHint() const {
    return picture_.isNull() ? QSize(0, 0) : picture_.deviceIndependentSize().toSize();
}

void ImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (stretch_)
            painter.drawPixmap(rect(), picture_);
        else
            painter.drawPixmap(0, 0, picture_);
    }
    if (!caption_.isEmpty()) {
        painter.setPen(down_ ? QColor(Qt::white) : QColor(0x1d, 0x3c, 0x4c));
        painter.drawText(rect(), Qt::AlignCenter, caption_);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight(), 2, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        event->accept();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ImageButton::connectNotify(const QMetaMethod& signal) {
    if (signal == QMetaMethod::fromSignal(&ImageButton::clicked))
        setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        pressedInside_ = true;
    emit pressed();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressedInside_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        pressedInside_ = false;
    emit released();
    if (click)
        emit clicked();
}

void ImageButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit left();
}

QString pictureBaseName(const QString& componentName) {
    const qsizetype length = componentName.size();
    if (length >= 2 && componentName.at(length - 2) == u'_')
        return componentName.left(length - 2);
    return componentName;
}

} // namespace ui
