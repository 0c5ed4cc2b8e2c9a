// Feeds arbitrary bytes to the reader of compiled manuals, through a file as the
// program reads them.
#include "help/ChmArchive.h"

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

namespace {

QString scratchFile() {
    const QString dir = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/help_chm_fuzz_%2.chm").arg(dir).arg(getpid());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = scratchFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    if (std::unique_ptr<help::ChmArchive> chm = help::ChmArchive::open(path)) {
        (void)chm->read(chm->home());
        (void)chm->inside(QUrl(QStringLiteral("ms-its:x.chm::/user.htm#a")));
        (void)chm->read(help::ChmArchive::topicUrl(QStringLiteral("analysis.htm")));
    }
    QFile::remove(path);
    return 0;
}
