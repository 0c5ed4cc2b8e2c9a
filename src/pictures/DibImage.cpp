#include "pictures/DibImage.h"

#include "pictures/LittleEndian.h"

namespace pictures {

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

// Whether the pixel data after `pixels` can hold the image the header declares. A few
// bytes that claim millions of pixels would otherwise cost the memory of the whole image.
// An uncompressed image needs every row; a compressed one draws at most 255 x 255 pixels
// with one 4-byte skip.
bool holdsDeclaredSize(const QByteArray& dib, qint64 pixels) {
    const bool core = readLe32(dib, 0) == CoreHeaderSize;
    const qint64 width = core ? readLe16(dib, 4) : qint32(readLe32(dib, 4));
    const qint64 height = core ? readLe16(dib, 6) : qint32(readLe32(dib, 8));
    const quint16 bitCount = readLe16(dib, core ? 10 : 14);
    const quint32 compression = core ? 0 : readLe32(dib, 16);
    const qint64 data = dib.size() - pixels;
    if (width <= 0 || height == 0)
        return false;
    const qint64 rows = height < 0 ? -height : height;
    if (compression == 0 || compression == BitFields || compression == AlphaBitFields)
        return (width * bitCount + 31) / 32 * 4 <= data / rows; // rows * rowBytes may overflow
    return width * rows <= data * (255 * 255 / 4);
}

} // namespace

QImage imageFromDib(const QByteArray& dib) {
    const qint64 pixels = pixelOffset(dib);
    if (pixels <= 0 || pixels > dib.size() || !holdsDeclaredSize(dib, pixels))
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

} // namespace pictures
