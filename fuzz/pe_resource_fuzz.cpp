// Feeds arbitrary bytes to the picture library's readers: once as a whole lang.dll, whose
// bitmaps are then decoded, and once as the bytes of one bitmap resource.
#include "pictures/DibImage.h"
#include "pictures/PeResourceReader.h"

#include <cstdint>
#include <cstdlib>

namespace {

void decode(const QByteArray& dib) {
    const QImage image = pictures::imageFromDib(dib);
    if (!image.isNull() && (image.width() <= 0 || image.height() <= 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const pictures::PeResourceReader reader(bytes);
    for (const char* name : {"img_home", "IMG_HOME_D", "img_exit", ""})
        decode(reader.bitmap(QString::fromLatin1(name)));
    decode(bytes);
    return 0;
}
