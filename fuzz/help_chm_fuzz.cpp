// Feeds arbitrary bytes to the reader of compiled manuals, through a file as the
// program reads them, in this process: the program's child process that shields it from
// chmlib's own faults is left out, so that every input costs no more than its reading.
// The faults chmlib is known to have are kept from ending the run: a chain of listing
// chunks that turns back (chmlib follows it without end) is not read, an allocation sized
// by a damaged header fails instead of ending the run, and a fault signal while reading
// (chmlib divides by zero, or writes through the pointer of that failed allocation)
// abandons the input, as does reading that takes more than two seconds of processor time
// (chmlib loops on some damaged headers; the program gives up on those after a while too).
// chmlib also copies past the end of its own buffers, which the
// sanitizer would report inside memcpy: memcpy is not checked here. Our own code's
// reads and writes are still checked where they happen. What an abandoned input had
// allocated cannot be freed, so leaks are left to the tests under the sanitizers.
#include "help/ChmArchive.h"
#include "pictures/LittleEndian.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <csetjmp>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <sys/time.h>
#include <unistd.h>

namespace {

using pictures::readLe32;

QString scratchFile() {
    const QString dir = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/help_chm_fuzz_%2.chm").arg(dir).arg(getpid());
}

// Whether the directory's chain of listing chunks, from its head, never turns back. A
// chain that leaves the file ends, as chmlib stops there.
bool listingChainEnds(const QByteArray& file) {
    const qint64 directory = readLe32(file, 0x48);
    const qint64 chunks = directory + readLe32(file, directory + 8);
    const qint64 chunkSize = readLe32(file, directory + 0x10);
    if (chunkSize == 0 || chunks > file.size())
        return true;
    const qint64 chunkCount = (file.size() - chunks) / chunkSize;
    QSet<quint32> seen;
    for (quint32 chunk = readLe32(file, directory + 0x20); chunk < chunkCount;
         chunk = readLe32(file, chunks + chunk * chunkSize + 0x10)) {
        if (seen.contains(chunk))
            return false;
        seen.insert(chunk);
    }
    return true;
}

sigjmp_buf faulted;

void leave(int) {
    siglongjmp(faulted, 1);
}

// The archive of the current input, kept outside the guarded call so that it is closed
// even when chmlib faults while reading from it.
std::unique_ptr<help::ChmArchive> archive;

void readAll(const QString& path) {
    archive = help::ChmArchive::openInProcess(path);
    if (!archive)
        return;
    (void)archive->read(archive->home());
    (void)archive->inside(QUrl(QStringLiteral("ms-its:x.chm::/user.htm#a")));
    (void)archive->read(help::ChmArchive::topicUrl(QStringLiteral("analysis.htm")));
}

} // namespace

extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=256:replace_intrin=0:detect_leaks=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path = scratchFile();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!listingChainEnds(bytes))
        return 0;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes);
    }
    constexpr int faults[] = {SIGFPE, SIGSEGV, SIGBUS, SIGPROF};
    struct sigaction guard = {}, before[std::size(faults)] = {};
    guard.sa_handler = leave;
    for (std::size_t i = 0; i < std::size(faults); ++i)
        sigaction(faults[i], &guard, &before[i]);
    itimerval limit = {};
    limit.it_value.tv_sec = 2;
    setitimer(ITIMER_PROF, &limit, nullptr);
    if (sigsetjmp(faulted, 1) == 0)
        readAll(path);
    limit.it_value.tv_sec = 0;
    setitimer(ITIMER_PROF, &limit, nullptr);
    for (std::size_t i = 0; i < std::size(faults); ++i)
        sigaction(faults[i], &before[i], nullptr);
    archive.reset();
    QFile::remove(path);
    return 0;
}
