#include "TextCollation.h"

#include "DatabaseError.h"

#include <QString>
#include <algorithm>
#include <sqlite3.h>

namespace store {

namespace {

char foldedAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? char(c | 0x20) : char(c);
}

// Names are mostly ASCII: those bytes compare directly, the rest from the first other
// byte on goes through Qt's fold.
int collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const auto* left = static_cast<const unsigned char*>(a);
    const auto* right = static_cast<const unsigned char*>(b);
    const int common = std::min(lengthA, lengthB);
    int i = 0;
    for (; i < common && left[i] < 0x80 && right[i] < 0x80; ++i) {
        const char x = foldedAscii(left[i]);
        const char y = foldedAscii(right[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i == common)
        return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
    return compareText(QString::fromUtf8(reinterpret_cast<const char*>(left + i), lengthA - i),
                       QString::fromUtf8(reinterpret_cast<const char*>(right + i), lengthB - i));
}

} // namespace

int compareText(QStringView a, QStringView b) {
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void registerTextCollation(sqlite3* db) {
    if (sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, collate, nullptr) !=
        SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace store
