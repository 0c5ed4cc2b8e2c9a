#include "pictures/PictureLibrary.h"

#include "pictures/DibImage.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace pictures {

namespace {

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

// Drawn at the screen's pixel density, so it stays sharp on a scaled screen; its size in
// device-independent pixels is the picture's design size.
QPixmap designPicture(const QString& name) {
    const QString path = designPicturePaths().value(name.toLower());
    if (path.isEmpty())
        return {};
    QSvgRenderer svg(path);
    if (!svg.isValid() || svg.defaultSize().isEmpty())
        return {};
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImage image(svg.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter, QRectF(QPointF(0, 0), svg.defaultSize()));
    painter.end();
    return QPixmap::fromImage(image);
}

} // namespace

PictureLibrary::PictureLibrary(store::AppFiles files) : files_(std::move(files)) {}

PictureLibrary::Contents PictureLibrary::read() const {
    QFile library(files_.find(QStringLiteral("lang.dll")));
    return Contents(library.open(QIODevice::ReadOnly) ? library.readAll() : QByteArray());
}

QPixmap PictureLibrary::Contents::load(const QString& resourceName) const {
    const QImage bitmap = imageFromDib(reader_.bitmap(resourceName));
    if (!bitmap.isNull())
        return QPixmap::fromImage(bitmap);
    return designPicture(resourceName);
}

} // namespace pictures
