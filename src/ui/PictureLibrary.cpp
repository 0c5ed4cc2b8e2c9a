#include "ui/PictureLibrary.h"

#include "ui/DibImage.h"
#include "ui/PeResourceReader.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace ui {

namespace {

QImage libraryBitmap(const QString& libraryPath, const QString& name) {
    QFile library(libraryPath);
    if (!library.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = library.readAll();
    library.close();
    return imageFromDib(PeResourceReader(bytes).bitmap(name));
}

// The compiled-in design pictures by lower-case name.
const QHash<QString, QString>& designPicturePaths() {
    static const QHash<QString, QString> paths = [] {
        QHash<QString, QString> byName;
        const QDir dir(QStringLiteral(":/pictures"));
        for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.svg")}, QDir::Files))
            byName.insert(info.completeBaseName().toLower(), info.filePath());
        return byName;
    }();
    return paths;
}

QPixmap designPicture(const QString& name) {
    const QString path = designPicturePaths().value(name.toLower());
    if (path.isEmpty())
        return {};
    QSvgRenderer svg(path);
    if (!svg.isValid() || svg.defaultSize().isEmpty())
        return {};
    QImage image(svg.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

PictureLibrary::PictureLibrary(const QString& appDir)
    : libraryPath_(QDir(appDir).filePath(QStringLiteral("lang.dll"))) {}

QPixmap PictureLibrary::load(const QString& resourceName) const {
    const QImage bitmap = libraryBitmap(libraryPath_, resourceName);
    if (!bitmap.isNull())
        return QPixmap::fromImage(bitmap);
    return designPicture(resourceName);
}

QString PictureLibrary::baseName(const QString& componentName) {
    const qsizetype length = componentName.size();
    if (length >= 2 && componentName.at(length - 2) == u'_')
        return componentName.left(length - 2);
    return componentName;
}

} // namespace ui
