#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace pictures {

// Named resources out of the bytes of a Windows PE file (32- or 64-bit), on any OS.
// Every read is bounds-checked: a file that is not a PE image, or whose headers or
// resource directory point outside it, simply holds no resources.
class PeResourceReader {
public:
    explicit PeResourceReader(const QByteArray& file);

    // The bytes (a DIB) of the bitmap resource of that name in any language; empty when
    // there is none. Names compare without regard to case.
    QByteArray bitmap(const QString& name) const;

private:
    struct Section {
        quint32 virtualAddress;
        quint32 size;
        quint32 rawOffset;
    };
    struct Span {
        qint64 offset;
        qint64 size;
    };

    void readHeaders();
    void readSections(qint64 table, int count);
    std::optional<Span> map(quint32 rva) const;
    bool inDirectory(qint64 offset, qint64 length) const;
    std::optional<quint32> entryTarget(quint32 directory,
                                       const std::function<bool(quint32)>& matches) const;
    QString entryName(quint32 nameField) const;

    QByteArray file_;
    QVector<Section> sections_;
    std::optional<Span> directory_;
};

} // namespace pictures
