#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>
#include <QUuid>

namespace output {

// Name-based identifiers (UUID version 5) of names that begin alike, written as
// "urn:uuid:…" without building each name.
class NameUrns {
public:
    NameUrns(const QUuid& nameSpace, const QByteArray& nameStart);

    // The identifier of nameStart followed by nameEnd; valid until the next call.
    QByteArrayView urnOf(QByteArrayView nameEnd);

private:
    QByteArray hashStart_;
    QCryptographicHash hash_{QCryptographicHash::Sha1};
    char urn_[45];
};

} // namespace output
