#pragma once

#include <QFileDevice>
#include <QString>

namespace store {

// Read and write for the owner alone (0600): the mode of every file the program creates in
// its data directory.
inline constexpr QFileDevice::Permissions privateFileMode =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner;
// The same plus entry (0700) for the directories it creates.
inline constexpr QFileDevice::Permissions privateDirMode = privateFileMode | QFileDevice::ExeOwner;

// Creates the directory and the missing ones above it, each with privateDirMode whatever the
// umask; directories that exist keep their modes. A file system without Unix modes (a FAT
// stick) may refuse the mode, and the directory is made all the same. False when the
// directory is not there afterwards, and reason (when given) says why, in the system's words.
bool makePrivateDirectories(const QString& path, QString* reason = nullptr);

} // namespace store
