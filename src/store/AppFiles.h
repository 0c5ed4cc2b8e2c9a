#pragma once

#include <QString>
#include <QStringList>

namespace store {

// Where the program's files are. The files it writes (the database, the settings file)
// live in one data directory. The files it only reads (report templates, the picture
// library, the manual, the dump marker) are looked for in the data directory first and
// then in the further directories, in order, so a user may put an edited copy in the
// data directory.
class AppFiles {
public:
    // One directory for everything, as in portable use and in the tests.
    AppFiles(QString dataDir, QStringList readOnlyDirs = {});

    const QString& dataDir() const { return dataDir_; }
    const QStringList& readOnlyDirs() const { return readOnlyDirs_; }

    // The path of a file the program writes.
    QString writable(const QString& name) const;
    // The first existing file of that name; when there is none, its path in the data
    // directory, so a message about it names the first place looked at.
    QString find(const QString& name) const;

private:
    QString dataDir_;
    QStringList readOnlyDirs_;
};

} // namespace store
