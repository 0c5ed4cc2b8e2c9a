#pragma once

#include <QObject>
#include <QVariant>

namespace ui {

// A free number a window may attach to any of its widgets; 0 when none is set.
inline void setTag(QObject& object, int tag) {
    object.setProperty("Tag", tag);
}

inline int tag(const QObject& object) {
    return object.property("Tag").toInt();
}

} // namespace ui
