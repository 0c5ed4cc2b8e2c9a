#include "pictures/PeResourceReader.h"

#include "pictures/LittleEndian.h"

namespace pictures {

namespace {

constexpr quint16 DosMagic = 0x5A4D;        // "MZ"
constexpr quint32 PeSignature = 0x00004550; // "PE\0\0"
constexpr quint16 Pe32Magic = 0x10B;
constexpr quint16 Pe32PlusMagic = 0x20B;
constexpr quint32 ResourceDirectoryIndex = 2;
constexpr quint32 BitmapType = 2;
constexpr quint32 HighBit = 0x80000000u;
constexpr qint64 SectionHeaderSize = 40;
constexpr qint64 DirectoryHeaderSize = 16;
constexpr qint64 DirectoryEntrySize = 8;
constexpr qint64 DataEntrySize = 16;

} // namespace

PeResourceReader::PeResourceReader(const QByteArray& file) : file_(file) {
    readHeaders();
}

void PeResourceReader::readHeaders() {
    if (readLe16(file_, 0) != DosMagic)
        return;
    const qint64 pe = readLe32(file_, 0x3C);
    if (!hasBytes(file_, pe, 24) || readLe32(file_, pe) != PeSignature)
        return;
    const int sectionCount = readLe16(file_, pe + 6);
    const qint64 optionalSize = readLe16(file_, pe + 20);
    const qint64 optional = pe + 24;

    // Where the count of data directories sits in each optional header kind.
    qint64 countAt = 0;
    switch (readLe16(file_, optional)) {
    case Pe32Magic:
        countAt = 92;
        break;
    case Pe32PlusMagic:
        countAt = 108;
        break;
    default:
        return;
    }
    const qint64 resourceEntry = countAt + 4 + ResourceDirectoryIndex * 8;
    if (resourceEntry + 8 > optionalSize || !hasBytes(file_, optional, optionalSize) ||
        readLe32(file_, optional + countAt) <= ResourceDirectoryIndex)
        return;
    const quint32 resourceRva = readLe32(file_, optional + resourceEntry);
    if (resourceRva == 0 || readLe32(file_, optional + resourceEntry + 4) == 0)
        return;

    readSections(optional + optionalSize, sectionCount);
    directory_ = map(resourceRva);
}

void PeResourceReader::readSections(qint64 table, int count) {
    if (!hasBytes(file_, table, count * SectionHeaderSize))
        return;
    for (int i = 0; i < count; ++i) {
        const qint64 header = table + i * SectionHeaderSize;
        const quint32 virtualSize = readLe32(file_, header + 8);
        const quint32 rawSize = readLe32(file_, header + 16);
        // Bytes past the raw data are zero-fill in memory and not in the file.
        const quint32 size = virtualSize == 0 ? rawSize : qMin(virtualSize, rawSize);
        sections_.append({readLe32(file_, header + 12), size, readLe32(file_, header + 20)});
    }
}

// The file bytes from an address of the loaded image to the end of its section.
std::optional<PeResourceReader::Span> PeResourceReader::map(quint32 rva) const {
    for (const Section& section : sections_) {
        if (rva < section.virtualAddress || rva - section.virtualAddress >= section.size)
            continue;
        const qint64 into = rva - section.virtualAddress;
        const qint64 offset = qint64(section.rawOffset) + into;
        const qint64 size = qMin<qint64>(section.size - into, file_.size() - offset);
        if (offset >= file_.size() || size <= 0)
            return std::nullopt;
        return Span{offset, size};
    }
    return std::nullopt;
}

bool PeResourceReader::inDirectory(qint64 offset, qint64 length) const {
    return directory_ && offset >= 0 && length >= 0 && offset + length <= directory_->size;
}

// The target of the first entry of a directory whose name field matches; offsets are
// relative to the start of the resource directory.
std::optional<quint32>
PeResourceReader::entryTarget(quint32 directory,
                              const std::function<bool(quint32)>& matches) const {
    if (!inDirectory(directory, DirectoryHeaderSize))
        return std::nullopt;
    const qint64 base = directory_->offset + directory;
    const int count = readLe16(file_, base + 12) + readLe16(file_, base + 14);
    for (int i = 0; i < count; ++i) {
        const qint64 entry = qint64(directory) + DirectoryHeaderSize + i * DirectoryEntrySize;
        if (!inDirectory(entry, DirectoryEntrySize))
            return std::nullopt;
        if (matches(readLe32(file_, directory_->offset + entry)))
            return readLe32(file_, directory_->offset + entry + 4);
    }
    return std::nullopt;
}

// The name of a named entry: a length-prefixed UTF-16 string; empty for numbered entries.
QString PeResourceReader::entryName(quint32 nameField) const {
    if (!(nameField & HighBit))
        return {};
    const qint64 at = nameField & ~HighBit;
    if (!inDirectory(at, 2))
        return {};
    const int length = readLe16(file_, directory_->offset + at);
    if (!inDirectory(at + 2, 2 * qint64(length)))
        return {};
    QString name(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        name[i] = QChar(readLe16(file_, directory_->offset + at + 2 + 2 * i));
    return name;
}

QByteArray PeResourceReader::bitmap(const QString& name) const {
    if (name.isEmpty())
        return {};
    // Type, then name, then language: each level but the last leads to a subdirectory.
    const auto type = entryTarget(0, [](quint32 id) { return id == BitmapType; });
    if (!type || !(*type & HighBit))
        return {};
    const auto named = entryTarget(*type & ~HighBit, [&](quint32 field) {
        return entryName(field).compare(name, Qt::CaseInsensitive) == 0;
    });
    if (!named || !(*named & HighBit))
        return {};
    const auto leaf = entryTarget(*named & ~HighBit, [](quint32) { return true; });
    if (!leaf || (*leaf & HighBit) || !inDirectory(*leaf, DataEntrySize))
        return {};

    const qint64 entry = directory_->offset + *leaf;
    const qint64 size = readLe32(file_, entry + 4);
    const auto data = map(readLe32(file_, entry));
    if (!data || size > data->size)
        return {};
    return QByteArray(file_.constData() + data->offset, size);
}

} // namespace pictures
