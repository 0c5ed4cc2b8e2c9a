#include "ui/ImageButtonAccessible.h"

#include "ui/ImageButton.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

class ImageButtonAccessible : public QAccessibleWidget {
public:
    explicit ImageButtonAccessible(ImageButton* button)
        : QAccessibleWidget(button, acts(button) ? QAccessible::Button : QAccessible::Graphic) {
        if (acts(button))
            addControllingSignal(QStringLiteral("clicked()"));
    }

    QAccessible::State state() const override {
        QAccessible::State shown = QAccessibleWidget::state();
        if (button()->isDown()) {
            shown.checkable = true;
            shown.checked = true;
        }
        return shown;
    }

    // An image without a name of its own is called by the caption it shows.
    QString text(QAccessible::Text kind) const override {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? button()->caption() : text;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (acts(button()))
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && acts(button()) && button()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    static bool acts(const ImageButton* button) { return button->focusPolicy() != Qt::NoFocus; }
    ImageButton* button() const { return static_cast<ImageButton*>(widget()); }
};

} // namespace

QAccessibleInterface* imageButtonAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String("ui::ImageButton") || !object || !object->isWidgetType())
        return nullptr;
    return new ImageButtonAccessible(static_cast<ImageButton*>(object));
}

} // namespace ui
