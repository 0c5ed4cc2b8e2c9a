#include "ui/GaugeAccessible.h"

#include "ui/Gauge.h"

#include <QAccessibleWidget>

namespace ui {

namespace {

class GaugeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit GaugeAccessible(Gauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value)
            return QString::number(gauge()->progress());
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return gauge()->progress(); }
    void setCurrentValue(const QVariant&) override {} // shows progress, takes none
    QVariant maximumValue() const override { return gauge()->maxValue(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    Gauge* gauge() const { return static_cast<Gauge*>(widget()); }
};

} // namespace

QAccessibleInterface* gaugeAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String("ui::Gauge") || !object || !object->isWidgetType())
        return nullptr;
    return new GaugeAccessible(static_cast<Gauge*>(object));
}

} // namespace ui
