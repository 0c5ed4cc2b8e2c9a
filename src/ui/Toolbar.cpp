#include "ui/Toolbar.h"

#include "ui/ImageButton.h"

#include <QHBoxLayout>
#include <QResizeEvent>

namespace ui {

Toolbar::Toolbar(const QString& objectName, const QString& backgroundName, QWidget* parent)
    : Panel(objectName, parent), background_(new ImageButton(backgroundName, this)),
      row_(new QHBoxLayout(this)) {
    setFixedHeight(56);
    row_->setContentsMargins(8, 4, 8, 4);
    row_->setSpacing(6);
    row_->addStretch();
    background_->lower();
}

ImageButton* Toolbar::addImage(const QString& objectName) {
    auto* image = new ImageButton(objectName, this);
    image->setFixedSize(48, 48);
    row_->insertWidget(row_->count() - 1, image);
    return image;
}

void Toolbar::addWidget(QWidget* widget) {
    row_->insertWidget(row_->count() - 1, widget);
}

void Toolbar::resizeEvent(QResizeEvent* event) {
    Panel::resizeEvent(event);
    if (background_->stretch())
        background_->setGeometry(rect());
    else
        background_->resize(background_->sizeHint());
}

} // namespace ui
