// Feeds arbitrary byte texts, as a database file may hold them, to the text collation.
// Input: two texts separated by the first zero byte. The byte order must agree with the
// order of the decoded texts and be antisymmetric.
#include "store/TextCollation.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(data, qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArrayView a = split < 0 ? input : input.first(split);
    const QByteArrayView b = split < 0 ? QByteArrayView() : input.sliced(split + 1);
    const int order = store::compareUtf8(a, b);
    if (order != -store::compareUtf8(b, a) ||
        order != store::compareText(QString::fromUtf8(a), QString::fromUtf8(b)) ||
        store::compareUtf8(a, a) != 0)
        std::abort();
    return 0;
}
