#include "app/SingleInstance.h"

#include "store/PrivateFiles.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace app {

namespace {

const QByteArray request = QByteArrayLiteral("raise\n");
constexpr int socketTimeoutMs = 500;
constexpr unsigned long retryPauseMs = 100;

QString userKey() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

} // namespace

SingleInstance::SingleInstance(const QString& dataDir)
    : serverName_(serverName(dataDir)),
      lock_(QDir(dataDir).filePath(QStringLiteral("tonvi.lock"))) {
    // Only the end of its program makes a lock stale, however long the program runs.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
}

QString SingleInstance::serverName(const QString& dataDir) {
    const QFileInfo info(dataDir);
    const QString canonical = info.canonicalFilePath();
    const QString path = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
    // The user's runtime directory is theirs alone, so no other user can take the name first.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("tonvi-") + hash);
    return QStringLiteral("tonvi-%1-%2").arg(userKey(), hash);
}

SingleInstance::Start SingleInstance::start(std::chrono::milliseconds patience) {
    if (lock_.tryLock()) {
        // A file system without Unix modes may refuse; the lock holds all the same.
        QFile::setPermissions(lock_.fileName(), store::privateFileMode);
        listen();
        return Start::First;
    }
    if (lock_.error() != QLockFile::LockFailedError)
        return Start::Unguarded;
    const QDeadlineTimer deadline(patience);
    while (!ask()) {
        if (deadline.hasExpired())
            return Start::Unanswered;
        QThread::msleep(retryPauseMs);
    }
    return Start::Asked;
}

QString SingleInstance::listenError() const {
    return server_.isListening() ? QString() : server_.errorString();
}

bool SingleInstance::ask() const {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(socketTimeoutMs))
        return false;
    socket.write(request);
    const bool sent = socket.waitForBytesWritten(socketTimeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::listen() {
    // The user-only socket is made aside and renamed onto its name, so one left behind by a
    // killed program does not stand in the way.
    if (server_.listen(serverName_))
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] { accept(); });
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        const auto read = [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == request && onAsked)
                onAsked();
            socket->disconnectFromServer();
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        read();
    }
}

} // namespace app
