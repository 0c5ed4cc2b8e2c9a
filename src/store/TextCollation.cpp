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

int collate(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareUtf8(QByteArrayView(static_cast<const char*>(a), lengthA),
                       QByteArrayView(static_cast<const char*>(b), lengthB));
}

} // namespace

// Names are mostly ASCII: those bytes compare directly, the rest from the first other
// byte on goes through Qt's fold.
int compareUtf8(QByteArrayView a, QByteArrayView b) {
    const qsizetype common = std::min(a.size(), b.size());
    qsizetype i = 0;
    for (; i < common && uchar(a[i]) < 0x80 && uchar(b[i]) < 0x80; ++i) {
        const char x = foldedAscii(uchar(a[i]));
        const char y = foldedAscii(uchar(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i == common)
        return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
    return compareText(QString::fromUtf8(a.sliced(i)), QString::fromUtf8(b.sliced(i)));
}

int compareText(QStringView a, QStringView b) {
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool textStartsWith(QStringView text, QStringView part) {
    return text.startsWith(part, Qt::CaseInsensitive);
}

bool textContains(QStringView text, QStringView part) {
    return text.contains(part, Qt::CaseInsensitive);
}

void registerTextCollation(sqlite3* db) {
    if (sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, collate, nullptr) !=
        SQLITE_OK)
        throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace store
