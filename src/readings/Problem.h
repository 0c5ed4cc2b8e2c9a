#pragma once

#include <QString>
#include <QStringList>

namespace readings {

// A fault for the user: a message key of the language table and the texts that fill its
// %1, %2, ... in order.
struct Problem {
    QString key;
    QStringList args = {};

    bool operator==(const Problem&) const = default;
};

} // namespace readings
