#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace ui {

// A gauge as a screen reader sees it: a progress bar with its value, 0 to its maximum.
QAccessibleInterface* gaugeAccessible(const QString& className, QObject* object);

} // namespace ui
