#include "output/NameUrns.h"

#include <cstring>

namespace output {

namespace {

constexpr char urnStart[] = "urn:uuid:";

}

NameUrns::NameUrns(const QUuid& nameSpace, const QByteArray& nameStart)
    : hashStart_(nameSpace.toRfc4122() + nameStart) {
    std::memcpy(urn_, urnStart, sizeof urnStart - 1);
}

QByteArrayView NameUrns::urnOf(QByteArrayView nameEnd) {
    static constexpr char hex[] = "0123456789abcdef";
    hash_.reset();
    hash_.addData(hashStart_);
    hash_.addData(nameEnd);
    const QByteArrayView digest = hash_.resultView();
    char* at = urn_ + sizeof urnStart - 1;
    for (int i = 0; i < 16; ++i) {
        auto byte = static_cast<unsigned char>(digest[i]);
        if (i == 6)
            byte = (byte & 0x0f) | 0x50; // version 5
        if (i == 8)
            byte = (byte & 0x3f) | 0x80; // the variant of RFC 4122
        if (i == 4 || i == 6 || i == 8 || i == 10)
            *at++ = '-';
        *at++ = hex[byte >> 4];
        *at++ = hex[byte & 15];
    }
    return {urn_, at};
}

} // namespace output
