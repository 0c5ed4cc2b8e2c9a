#pragma once

#include <QUrl>
#include <QVariant>

namespace help {

// The pages and pictures of one opened help document, addressed by URL.
class HelpSource {
public:
    virtual ~HelpSource() = default;

    // The first page shown.
    virtual QUrl home() const = 0;

    // A page or picture: the text of a page (QString) or the bytes of a resource
    // (QByteArray); a null QVariant when the document has nothing at that URL.
    virtual QVariant read(const QUrl& url) const = 0;

    // The URL under which the document holds a link target, or an empty URL when the
    // target lies outside the document.
    virtual QUrl inside(const QUrl& url) const;
};

// A page and its pictures as plain files (the htm form).
class HtmlFile : public HelpSource {
public:
    explicit HtmlFile(const QString& path) : home_(QUrl::fromLocalFile(path)) {}

    QUrl home() const override { return home_; }
    QVariant read(const QUrl& url) const override;

private:
    QUrl home_;
};

} // namespace help
