#pragma once

#include <QString>
#include <functional>

namespace store {

// The file-system questions asked about an existing database file before it is opened.
// Tests answer them to cover what the running user cannot provoke (root reads and
// writes everywhere).
struct FileAccess {
    std::function<bool(const QString& path)> isReadable;
    std::function<bool(const QString& path)> isWritable; // a file or a directory

    static FileAccess system();
};

// Throws DatabaseError saying what is wrong when the existing file at filePath cannot
// serve as the database: a directory, unreadable, write-protected, or in a directory
// where the journal cannot be written.
void checkExistingFile(const QString& filePath, const FileAccess& access);

} // namespace store
