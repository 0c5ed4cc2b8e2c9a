#pragma once

#include <QByteArray>
#include <QImage>

namespace pictures {

// The image of a device-independent bitmap as a bitmap resource stores it: a bitmap
// file without its file header. A null image when the bytes are not a readable bitmap.
QImage imageFromDib(const QByteArray& dib);

} // namespace pictures
