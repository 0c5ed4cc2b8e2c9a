#include "help/ChmArchive.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <chm_lib.h>
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace help {

namespace {

const QString Scheme = QStringLiteral("chm");
const QString Separator = QStringLiteral("::/");

bool isPage(const QString& path) {
    return path.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

int firstPageFound(chmFile*, chmUnitInfo* unit, void* context) {
    const QString path = QString::fromUtf8(unit->path);
    if (!isPage(path))
        return CHM_ENUMERATOR_CONTINUE;
    *static_cast<QString*>(context) = path;
    return CHM_ENUMERATOR_SUCCESS;
}

constexpr int CheckSeconds = 5;

int readWhole(chmFile* file, chmUnitInfo* unit, void*) {
    static unsigned char buffer[64 * 1024];
    const LONGUINT64 length = std::min<LONGUINT64>(unit->length, ChmArchive::MaxObjectSize);
    for (LONGUINT64 at = 0; at < length; at += sizeof buffer) {
        const LONGINT64 want = LONGINT64(std::min<LONGUINT64>(sizeof buffer, length - at));
        if (chm_retrieve_object(file, unit, buffer, at, want) != want)
            break;
    }
    return CHM_ENUMERATOR_CONTINUE;
}

// chmlib stops the process on some damaged files (a division by zero, for one) and
// can loop on others. A child process opens the file and reads every object first;
// the file is used only when that child ends normally within the time. The child ends
// itself at that time and with this process.
bool readsSafely(const QByteArray& path) {
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // A crash here is an answer, not a fault: no inherited handler may report it.
        for (int sig : {SIGALRM, SIGFPE, SIGSEGV, SIGBUS, SIGILL, SIGABRT})
            signal(sig, SIG_DFL);
        alarm(CheckSeconds);
        if (chmFile* file = chm_open(path.constData())) {
            chm_enumerate(file, CHM_ENUMERATE_ALL, readWhole, nullptr);
            chm_close(file);
        }
        _exit(0);
    }
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    pid_t done = 0;
    while ((done = waitpid(child, &status, WNOHANG)) == 0 && clock.elapsed() < CheckSeconds * 1000)
        QThread::msleep(2);
    if (done == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return false;
    }
    return done == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const QString& path) {
    return readsSafely(QFile::encodeName(path)) ? openInProcess(path) : nullptr;
}

std::unique_ptr<ChmArchive> ChmArchive::openInProcess(const QString& path) {
    chmFile* file = chm_open(QFile::encodeName(path).constData());
    if (!file)
        return nullptr;
    std::unique_ptr<ChmArchive> archive(new ChmArchive(file));
    const QUrl main = topicUrl(QStringLiteral("/main.htm"));
    if (archive->read(main).isValid()) {
        archive->home_ = main;
    } else {
        const QString page = archive->firstPage();
        if (page.isEmpty())
            return nullptr;
        archive->home_ = topicUrl(page);
    }
    return archive;
}

ChmArchive::ChmArchive(chmFile* file) : file_(file) {}

ChmArchive::~ChmArchive() {
    chm_close(file_);
}

QUrl ChmArchive::topicUrl(const QString& path) {
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
    return url;
}

QString ChmArchive::objectPath(const QUrl& url) const {
    if (url.scheme() == Scheme)
        return url.path(QUrl::FullyDecoded);
    const QString text = url.toString(QUrl::RemoveFragment | QUrl::RemoveQuery);
    const qsizetype separator = text.indexOf(Separator);
    return separator < 0 ? QString() : text.mid(separator + Separator.size() - 1);
}

QVariant ChmArchive::read(const QUrl& url) const {
    const QByteArray path = objectPath(url).toUtf8();
    if (path.isEmpty() || path.size() >= CHM_MAX_PATHLEN)
        return {};
    chmUnitInfo unit{};
    if (chm_resolve_object(file_, path.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return {};
    if (unit.length > quint64(MaxObjectSize))
        return {};
    QByteArray bytes(qsizetype(unit.length), Qt::Uninitialized);
    const LONGINT64 got = chm_retrieve_object(
        file_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0, LONGINT64(unit.length));
    if (got != LONGINT64(unit.length))
        return {};
    return bytes;
}

QUrl ChmArchive::inside(const QUrl& url) const {
    const QString path = objectPath(url);
    if (path.isEmpty() || !read(topicUrl(path)).isValid())
        return {};
    QUrl target = topicUrl(path);
    target.setFragment(url.fragment());
    return target;
}

QString ChmArchive::firstPage() const {
    QString page;
    chm_enumerate(file_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, firstPageFound, &page);
    return page;
}

} // namespace help
