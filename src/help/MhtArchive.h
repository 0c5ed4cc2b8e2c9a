#pragma once

#include "help/HelpSource.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace help {

// A MIME HTML document (.mht): its first HTML part is the page, the other parts are
// found by their Content-Location (resolved against the page's) or by "cid:" and their
// Content-ID.
class MhtArchive : public HelpSource {
public:
    struct Part {
        QUrl location;
        QString contentId;
        QByteArray mimeType;
        QVariant content; // QString for text parts with a known charset, else QByteArray
    };

    // Nothing when the bytes hold no HTML part.
    static std::optional<MhtArchive> parse(const QByteArray& bytes);

    QUrl home() const override { return parts_.at(root_).location; }
    QVariant read(const QUrl& url) const override;
    const QList<Part>& parts() const { return parts_; }

private:
    MhtArchive() = default;

    QList<Part> parts_;
    qsizetype root_ = 0;
    QHash<QString, qsizetype> byLocation_;
    QHash<QString, qsizetype> byContentId_;
};

} // namespace help
