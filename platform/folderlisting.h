#pragma once

#include "platform/filekind.h"

#include <QList>
#include <QString>
#include <optional>

namespace platform
{

// One entry of a folder. `kind` follows symbolic links: a link to a folder is a folder, a link
// to a file is a file; a broken link counts as a file.
struct FolderEntry {
    QByteArray name; // as the file system holds it
    FileKind kind = FileKind::File;
};

// Identifies a folder on the machine however it was reached (device and inode number).
struct FolderIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FolderIdentity &, const FolderIdentity &) = default;
};
size_t qHash(const FolderIdentity &identity, size_t seed = 0) noexcept;

struct FolderListing {
    FolderIdentity identity;
    QList<FolderEntry> entries; // every entry but "." and "..", in no particular order
};

// Reads a folder, hidden entries included. Empty when the folder cannot be opened (missing,
// not a folder, no access).
std::optional<FolderListing> listFolder(const QByteArray &path);

} // namespace platform
