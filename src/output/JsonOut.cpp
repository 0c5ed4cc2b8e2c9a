#include "output/JsonOut.h"

#include "output/CompoundFile.h"

#include <QIODevice>
#include <charconv>

namespace output {

namespace {

constexpr qsizetype blockSize = 1 << 20;

}

JsonOut::JsonOut(QIODevice& device)
    : device_(device), block_(new char[blockSize]), at_(block_.get()),
      end_(block_.get() + blockSize) {}

JsonOut& JsonOut::putPiecewise(const char* data, qsizetype size) {
    while (size > end_ - at_) {
        const qsizetype room = end_ - at_;
        std::memcpy(at_, data, room);
        at_ = end_;
        flush();
        data += room;
        size -= room;
    }
    return put(data, size);
}

void JsonOut::flush() {
    const qsizetype size = at_ - block_.get();
    if (device_.write(block_.get(), size) != size)
        throw ExportError(device_.errorString().toStdString());
    at_ = block_.get();
}

void JsonOut::finish() {
    flush();
}

JsonOut& JsonOut::operator<<(int number) {
    char digits[12];
    return put(digits, std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
}

void JsonOut::string(const QString& text) {
    static constexpr char hex[] = "0123456789abcdef";
    *this << '"';
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            const char escape[] = {'\\', 'u', '0', '0', hex[byte >> 4], hex[byte & 15]};
            put(escape, sizeof escape);
            continue;
        }
        if (c == '"' || c == '\\')
            *this << '\\';
        *this << c;
    }
    *this << '"';
}

} // namespace output
