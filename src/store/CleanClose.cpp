#include "CleanClose.h"

#include "PrivateFiles.h"

#include <QFile>
#include <QSaveFile>
#include <QThread>
#include <optional>
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

// What tells one state of the database file from another.
struct Stamp {
    qint64 size = 0;
    qint64 modified = 0;
    QByteArray counter;

    QByteArray text() const {
        return QByteArray::number(size) + ' ' + QByteArray::number(modified) + ' ' +
               counter.toHex();
    }
};

std::optional<Stamp> stamp(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kChangeCounterOffset))
        return std::nullopt;
    Stamp now{file.size(), modified(path), file.read(4)};
    if (now.counter.size() != 4 || now.modified < 0)
        return std::nullopt;
    return now;
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
    const std::optional<Stamp> now = stamp(databasePath_);
    return now && note.readAll().trimmed() == now->text();
}

void CleanClose::forget() const {
    QFile::remove(notePath_);
}

// File times advance in coarse ticks: a write in the tick of the file's last change would
// keep its time. The note is only left once the clock has moved past that tick, so any
// later write gives the file a newer time.
void CleanClose::record() const {
    const std::optional<Stamp> now = stamp(databasePath_);
    for (int attempt = 0; now && attempt < 200; ++attempt) {
        if (!write(notePath_, now->text() + '\n'))
            return;
        if (modified(notePath_) > now->modified)
            return;
        QThread::msleep(1);
    }
    forget();
}

} // namespace store
