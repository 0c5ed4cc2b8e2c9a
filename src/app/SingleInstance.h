#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>
#include <chrono>
#include <functional>

namespace app {

// One program per data directory. The first start holds the lock file "tonvi.lock" there
// and listens on a local socket that only the same user can reach; a later start on the
// same directory asks it over that socket to come to the front.
class SingleInstance {
public:
    enum class Start {
        First,      // this program holds the lock and listens
        Unguarded,  // the lock file cannot be made: running without it
        Asked,      // the running program was asked to come to the front
        Unanswered, // the directory is locked, but its program did not answer in time
    };

    explicit SingleInstance(const QString& dataDir);

    // Takes the lock, or asks its holder to come to the front, trying to reach it for up
    // to patience while it is still starting.
    Start start(std::chrono::milliseconds patience = std::chrono::seconds(5));

    // Why the first program cannot be reached by later starts; empty when it can.
    QString listenError() const;

    // Runs in the first program each time a later start asks it to come to the front.
    std::function<void()> onAsked;

    // The socket's name: the user and the directory's canonical path, so two users or two
    // directories never meet.
    static QString serverName(const QString& dataDir);

private:
    bool ask() const;
    void listen();
    void accept();

    QString serverName_;
    QLockFile lock_; // released after the server has closed
    QLocalServer server_;
};

} // namespace app
