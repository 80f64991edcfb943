#pragma once

#include <QString>
#include <optional>

namespace platform
{

// Whether both paths name one and the same existing file, however each is spelled: through
// "." or "..", a symbolic link or a second hard link.
bool isSameFile(const QString &first, const QString &second);

// What identifies a file on the machine however it is named (device and inode number).
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// The identity of what the path names (a symbolic link counts by its target); nothing when
// nothing stands there.
std::optional<FileIdentity> fileIdentity(const QString &path);

} // namespace platform
