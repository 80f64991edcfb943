#pragma once

#include <QByteArray>

namespace platform
{

// What stands at a path, a symbolic link counting by its target (a broken link by nothing).
enum class FileKind {
    Nothing, // nothing, or nothing that can be reached
    Folder,
    File,        // a regular file
    Special,     // a pipe, a socket or a device
    NameTooLong, // the path or one of its names is longer than the system allows
};

FileKind fileKind(const QByteArray &path);

} // namespace platform
