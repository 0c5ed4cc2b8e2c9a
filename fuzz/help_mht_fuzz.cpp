// Feeds arbitrary bytes to the reader of MIME HTML manuals.
#include "help/MhtArchive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<help::MhtArchive> archive = help::MhtArchive::parse(bytes);
    if (!archive)
        return 0;
    (void)archive->read(archive->home());
    for (const help::MhtArchive::Part& part : archive->parts()) {
        (void)archive->read(part.location);
        (void)archive->read(QUrl(QStringLiteral("cid:") + part.contentId));
        (void)archive->inside(archive->home().resolved(QUrl(QStringLiteral("../a/b.png#c"))));
    }
    return 0;
}
