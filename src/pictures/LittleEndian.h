#pragma once

#include <QByteArray>
#include <QtEndian>

namespace pictures {

// Little-endian reads that yield 0 instead of reading past the end of the bytes.
inline bool hasBytes(const QByteArray& bytes, qint64 offset, qint64 length) {
    return offset >= 0 && length >= 0 && offset <= bytes.size() && length <= bytes.size() - offset;
}

inline quint16 readLe16(const QByteArray& bytes, qint64 offset) {
    return hasBytes(bytes, offset, 2) ? qFromLittleEndian<quint16>(bytes.constData() + offset) : 0;
}

inline quint32 readLe32(const QByteArray& bytes, qint64 offset) {
    return hasBytes(bytes, offset, 4) ? qFromLittleEndian<quint32>(bytes.constData() + offset) : 0;
}

} // namespace pictures
