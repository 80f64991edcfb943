#include "platform/folderlisting.h"

#include "platform/filemode.h"

#include <QHashFunctions>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{
FileKind entryKind(int folderHandle, const dirent &entry)
{
    switch (entry.d_type) {
    case DT_DIR:
        return FileKind::Folder;
    case DT_REG:
        return FileKind::File;
    case DT_LNK:
    case DT_UNKNOWN: {
        // Links and file systems that do not report the type: ask for the target's type.
        struct stat target;
        return fstatat(folderHandle, entry.d_name, &target, 0) == 0 ? kindOfMode(target.st_mode)
                                                                    : FileKind::File;
    }
    default:
        return FileKind::Special;
    }
}
} // namespace

size_t qHash(const FolderIdentity &identity, size_t seed) noexcept
{
    return qHashMulti(seed, identity.device, identity.inode);
}

std::optional<FolderListing> listFolder(const QByteArray &path)
{
    const int handle = open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return std::nullopt;
    struct stat folder;
    DIR *stream = fstat(handle, &folder) == 0 ? fdopendir(handle) : nullptr;
    if (!stream) {
        close(handle);
        return std::nullopt;
    }

    FolderListing listing;
    listing.identity = {quint64(folder.st_dev), quint64(folder.st_ino)};
    while (const dirent *entry = readdir(stream)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        listing.entries.append({QByteArray(name), entryKind(handle, *entry)});
    }
    closedir(stream);
    return listing;
}

} // namespace platform
