#include "ui/DibImage.h"

#include "ui/LittleEndian.h"

namespace ui {

namespace {

constexpr qint64 FileHeaderSize = 14;
constexpr quint32 CoreHeaderSize = 12;
constexpr quint32 InfoHeaderSize = 40;
constexpr quint32 BitFields = 3;
constexpr quint32 AlphaBitFields = 6;

void appendLe16(QByteArray& bytes, quint16 value) {
    bytes.append(char(value & 0xFF)).append(char(value >> 8));
}

void appendLe32(QByteArray& bytes, quint32 value) {
    appendLe16(bytes, quint16(value & 0xFFFF));
    appendLe16(bytes, quint16(value >> 16));
}

// Where the pixels start, counted from the start of the DIB; 0 for an unknown header.
qint64 pixelOffset(const QByteArray& dib) {
    const quint32 headerSize = readLe32(dib, 0);
    if (headerSize == CoreHeaderSize) {
        // The old header: a colour table of 3-byte entries, one per possible value.
        const quint16 bitCount = readLe16(dib, 10);
        return headerSize + (bitCount <= 8 ? 3 * (qint64(1) << bitCount) : 0);
    }
    if (headerSize < InfoHeaderSize || !hasBytes(dib, 0, InfoHeaderSize))
        return 0;
    const quint16 bitCount = readLe16(dib, 14);
    const quint32 compression = readLe32(dib, 16);
    const quint32 coloursUsed = readLe32(dib, 32);
    qint64 colours = coloursUsed;
    if (colours == 0 && bitCount <= 8)
        colours = qint64(1) << bitCount;
    // Only the plain info header is followed by its colour masks; later headers hold them.
    qint64 masks = 0;
    if (headerSize == InfoHeaderSize && compression == BitFields)
        masks = 12;
    else if (headerSize == InfoHeaderSize && compression == AlphaBitFields)
        masks = 16;
    return headerSize + masks + 4 * colours;
}

} // namespace

QImage imageFromDib(const QByteArray& dib) {
    const qint64 pixels = pixelOffset(dib);
    if (pixels <= 0 || pixels > dib.size())
        return {};
    const qint64 fileSize = FileHeaderSize + dib.size();
    QByteArray file;
    file.reserve(fileSize);
    file.append("BM");
    appendLe32(file, quint32(fileSize));
    appendLe32(file, 0);
    appendLe32(file, quint32(FileHeaderSize + pixels));
    file.append(dib);
    return QImage::fromData(file, "BMP");
}

} // namespace ui
