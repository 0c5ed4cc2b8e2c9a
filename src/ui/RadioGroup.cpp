#include "ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace ui {

RadioGroup::RadioGroup(const QString& objectName, QWidget* parent)
    : QGroupBox(parent), buttons_(new QButtonGroup(this)), layout_(new QGridLayout(this)) {
    setObjectName(objectName);
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

void RadioGroup::setItems(const QStringList& items) {
    const int chosen = itemIndex();
    const QList<QAbstractButton*> old = buttons_->buttons();
    for (QAbstractButton* button : old) {
        buttons_->removeButton(button);
        delete button;
    }
    for (int i = 0; i < items.size(); ++i)
        buttons_->addButton(new QRadioButton(items[i], this), i);
    arrange();
    if (chosen >= 0 && chosen < items.size()) {
        const QSignalBlocker blocker(buttons_);
        buttons_->button(chosen)->setChecked(true);
    }
}

QStringList RadioGroup::items() const {
    QStringList texts;
    for (int i = 0; i < itemCount(); ++i)
        texts << buttons_->button(i)->text();
    return texts;
}

int RadioGroup::itemCount() const {
    return int(buttons_->buttons().size());
}

void RadioGroup::setItemText(int index, const QString& text) {
    if (QAbstractButton* button = buttons_->button(index))
        button->setText(text);
}

int RadioGroup::itemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    QAbstractButton* checked = buttons_->checkedButton();
    if (!checked)
        return;
    // An exclusive group never unchecks its last checked button by itself.
    buttons_->setExclusive(false);
    checked->setChecked(false);
    buttons_->setExclusive(true);
    emit itemIndexChanged(-1);
}

void RadioGroup::setColumns(int columns) {
    columns_ = qMax(columns, 1);
    arrange();
}

void RadioGroup::arrange() {
    const int count = itemCount();
    const int rows = qMax(1, (count + columns_ - 1) / columns_);
    for (int i = 0; i < count; ++i)
        layout_->removeWidget(buttons_->button(i));
    for (int i = 0; i < count; ++i)
        layout_->addWidget(buttons_->button(i), i % rows, i / rows);
}

} // namespace ui
