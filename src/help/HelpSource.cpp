#include "help/HelpSource.h"

#include <QFile>
#include <QFileInfo>

namespace help {

QUrl HelpSource::inside(const QUrl& url) const {
    return read(url.adjusted(QUrl::RemoveFragment)).isValid() ? url : QUrl();
}

QVariant HtmlFile::read(const QUrl& url) const {
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return {};
    QFile file(url.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace help
