#include "output/JsonOut.h"

#include <charconv>

namespace output {

JsonOut::JsonOut(qsizetype expectedSize) {
    bytes_.resize(expectedSize);
    at_ = bytes_.data();
    end_ = at_ + bytes_.size();
}

void JsonOut::grow(qsizetype size) {
    const qsizetype used = at_ - bytes_.data();
    bytes_.resize(qMax(2 * bytes_.size(), used + size));
    at_ = bytes_.data() + used;
    end_ = bytes_.data() + bytes_.size();
}

QByteArray JsonOut::take() {
    bytes_.truncate(at_ - bytes_.data());
    at_ = end_ = nullptr;
    return std::move(bytes_);
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
