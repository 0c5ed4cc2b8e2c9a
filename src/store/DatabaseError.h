#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// A failed database operation; what() carries the engine's own message.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

} // namespace store
