#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace output {

// A file could not be put together; what() says why.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An OLE2 compound file holding one stream of the given name, made of these parts in
// order. Throws ExportError.
QByteArray compoundFile(const QString& streamName, const std::vector<std::string_view>& parts);

} // namespace output
