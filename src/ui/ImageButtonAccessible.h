#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace ui {

// What a screen reader learns about an image button: a button with a press action when
// it acts on clicks, a picture otherwise; a button held down (the tab of the page shown)
// is checked.
QAccessibleInterface* imageButtonAccessible(const QString& className, QObject* object);

} // namespace ui
