#pragma once

#include <QString>

namespace store {

// A note beside the database file that the program closed it, with the file's size,
// modification time and change counter at that moment. While it matches the file, nobody
// has written the file since, not even a run that was cut off.
class CleanClose {
public:
    explicit CleanClose(const QString& databasePath);

    bool matches() const;
    // Before the first write of a run.
    void forget() const;
    // After the connection is closed; a failure leaves no note, so the next start checks.
    void record() const;

    QString notePath() const { return notePath_; }

private:
    QString databasePath_;
    QString notePath_;
};

} // namespace store
