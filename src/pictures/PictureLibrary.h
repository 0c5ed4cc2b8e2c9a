#pragma once

#include "pictures/PeResourceReader.h"
#include "store/AppFiles.h"

#include <QPixmap>
#include <QString>

namespace pictures {

// Pictures by resource name: first from the picture library lang.dll, found among the
// program's files (a Windows resource library of named bitmaps, read on any
// OS), then from the design pictures compiled into the program. The library file is
// read for each load, or once for many through read(), and released right after.
class PictureLibrary {
public:
    // The library file read and parsed once, for the pictures of a whole window.
    class Contents {
    public:
        // A null pixmap when neither the library nor the design set has the name.
        QPixmap load(const QString& resourceName) const;

    private:
        friend class PictureLibrary;
        explicit Contents(const QByteArray& file) : reader_(file) {}
        PeResourceReader reader_;
    };

    explicit PictureLibrary(store::AppFiles files);

    Contents read() const;
    QPixmap load(const QString& resourceName) const { return read().load(resourceName); }

private:
    store::AppFiles files_;
};

} // namespace pictures
