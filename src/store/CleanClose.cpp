#include "CleanClose.h"

#include "PrivateFiles.h"

#include <QFile>
#include <QSaveFile>
#include <QThread>
#include <sys/stat.h>

namespace store {

namespace {

constexpr int kChangeCounterOffset = 24; // in the SQLite file header

// Nanoseconds since the epoch of the last change, or -1.
qint64 modified(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return -1;
    return qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

// "size mtime-ns counter" of the file, or empty when it cannot be read.
QByteArray stamp(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kChangeCounterOffset))
        return {};
    const QByteArray counter = file.read(4);
    const qint64 time = modified(path);
    if (counter.size() != 4 || time < 0)
        return {};
    return QByteArray::number(file.size()) + ' ' + QByteArray::number(time) + ' ' + counter.toHex();
}

bool write(const QString& path, const QByteArray& content) {
    QSaveFile note(path);
    if (!note.open(QIODevice::WriteOnly))
        return false;
    note.setPermissions(privateFileMode);
    note.write(content);
    return note.commit();
}

} // namespace

CleanClose::CleanClose(const QString& databasePath)
    : databasePath_(databasePath), notePath_(databasePath + QStringLiteral("-closed")) {}

bool CleanClose::matches() const {
    QFile note(notePath_);
    if (!note.open(QIODevice::ReadOnly))
        return false;
    const QByteArray now = stamp(databasePath_);
    return !now.isEmpty() && note.readAll().trimmed() == now;
}

void CleanClose::forget() const {
    QFile::remove(notePath_);
}

// File times advance in coarse ticks: a write in the tick of the file's last change would
// keep its time. The note is only left once the clock has moved past that tick, so any
// later write gives the file a newer time.
void CleanClose::record() const {
    const QByteArray now = stamp(databasePath_);
    const qint64 fileTime = modified(databasePath_);
    for (int attempt = 0; !now.isEmpty() && attempt < 200; ++attempt) {
        if (!write(notePath_, now + '\n'))
            return;
        if (modified(notePath_) > fileTime)
            return;
        QThread::msleep(1);
    }
    forget();
}

} // namespace store
