// Feeds arbitrary bytes to the settings file reader as the file's contents, then writes the
// delay back as start-up does: the written value must read back from the saved file, and
// values of other keys must not change.
#include "store/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

namespace {

const QString& path() {
    static const QString p = [] {
        std::atexit([] { QFile::remove(path()); });
        return QDir::temp().filePath(
            QStringLiteral("ini_fuzz_%1.ini").arg(QCoreApplication::applicationPid()));
    }();
    return p;
}

constexpr std::pair<const char16_t*, const char16_t*> kProbes[] = {
    {u"Delay", u"other"}, {u"", u""}, {u"a", u"b"}, {u"delay ", u"receidata2"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    {
        QFile file(path());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    auto ini = store::IniFile::load(path());
    if (!ini)
        std::abort();
    if (const auto delay = ini->value(u"delay", u"receidata"))
        store::profileInt(*delay);
    std::optional<QString> before[std::size(kProbes)];
    for (std::size_t i = 0; i < std::size(kProbes); ++i)
        before[i] = ini->value(kProbes[i].first, kProbes[i].second);
    if (!ini->write(u"delay", u"receidata", QStringLiteral("35")))
        return 0; // text the file's encoding cannot hold is refused, not written
    const auto reread = store::IniFile::load(path());
    if (!reread || reread->value(u"DELAY", u"ReceiData") != QStringLiteral("35"))
        std::abort();
    for (std::size_t i = 0; i < std::size(kProbes); ++i) {
        if (reread->value(kProbes[i].first, kProbes[i].second) != before[i])
            std::abort();
    }
    return 0;
}
