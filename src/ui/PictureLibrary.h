#pragma once

#include <QPixmap>
#include <QString>

namespace ui {

// Pictures by resource name: first from the picture library lang.dll in the
// application directory (a Windows resource library of named bitmaps, read on any
// OS), then from the design pictures compiled into the program. The library file is
// opened for each load and released right after it.
class PictureLibrary {
public:
    explicit PictureLibrary(const QString& appDir);

    // A null pixmap when neither the library nor the design set has the name.
    QPixmap load(const QString& resourceName) const;

    // The resource base name of an image component: when its second-to-last character
    // is "_", the last two characters are dropped (img_help_1 -> img_help).
    static QString baseName(const QString& componentName);

private:
    QString libraryPath_;
};

} // namespace ui
