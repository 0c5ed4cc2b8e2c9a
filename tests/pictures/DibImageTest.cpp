#include "pictures/DibImage.h"

#include "ResourceDll.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>
#include <gtest/gtest.h>

using pictures::imageFromDib;

namespace {

// A two-pixel row: red, then blue.
QImage redBlue(QImage::Format format) {
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 0, 255));
    return image.convertToFormat(format, {qRgb(255, 0, 0), qRgb(0, 0, 255)});
}

// Channels of fewer than 8 bits widen to slightly less than full.
void expectRedBlue(const QImage& image) {
    ASSERT_EQ(image.size(), QSize(2, 1));
    const QRgb left = image.pixel(0, 0), right = image.pixel(1, 0);
    EXPECT_TRUE(qRed(left) > 240 && qGreen(left) == 0 && qBlue(left) == 0) << std::hex << left;
    EXPECT_TRUE(qRed(right) == 0 && qGreen(right) == 0 && qBlue(right) > 240) << std::hex << right;
}

} // namespace

TEST(DibImage, ReadsPalettesMasksAndTrueColour) {
    for (auto format : {QImage::Format_RGB32, QImage::Format_Indexed8, QImage::Format_Mono})
        expectRedBlue(imageFromDib(dibOf(redBlue(format))));

    // 16 bits with colour masks after a plain info header.
    QByteArray dib;
    QDataStream out(&dib, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(2) << qint32(1) << quint16(1) << quint16(16) << quint32(3)
        << quint32(4) << quint32(0) << quint32(0) << quint32(0) << quint32(0);
    out << quint32(0xF800) << quint32(0x07E0) << quint32(0x001F) << quint16(0xF800)
        << quint16(0x001F);
    expectRedBlue(imageFromDib(dib));
}

TEST(DibImage, MalformedBytesGiveANullImage) {
    EXPECT_TRUE(imageFromDib({}).isNull());
    EXPECT_TRUE(imageFromDib(QByteArray("\x28\0\0\0", 4)).isNull());
    EXPECT_TRUE(imageFromDib(QByteArray(64, '\7')).isNull());
    QByteArray hugePalette = dibOf(redBlue(QImage::Format_Indexed8));
    qToLittleEndian<quint32>(0xFFFFFFFF, hugePalette.data() + 32);
    EXPECT_TRUE(imageFromDib(hugePalette).isNull());
    EXPECT_TRUE(imageFromDib(dibOf(redBlue(QImage::Format_RGB32)).left(40)).isNull());
}

// A few bytes may not claim an image of millions of pixels: its memory is never taken.
TEST(DibImage, PixelsMissingForTheDeclaredSizeGiveANullImage) {
    QByteArray claims = dibOf(redBlue(QImage::Format_RGB888));
    qToLittleEndian<qint32>(9895941, claims.data() + 4);
    EXPECT_TRUE(imageFromDib(claims).isNull());
    const QByteArray whole = dibOf(redBlue(QImage::Format_RGB888));
    EXPECT_FALSE(imageFromDib(whole).isNull());
    EXPECT_TRUE(imageFromDib(whole.chopped(1)).isNull());
    QByteArray compressed = whole;
    qToLittleEndian<quint32>(1, compressed.data() + 16); // 8-bit runs
    qToLittleEndian<qint32>(-100000, compressed.data() + 8);
    EXPECT_TRUE(imageFromDib(compressed).isNull());
}
