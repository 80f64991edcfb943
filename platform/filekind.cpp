#include "platform/filekind.h"

#include "platform/filemode.h"

#include <cerrno>
#include <sys/stat.h>

namespace platform
{

FileKind fileKind(const QByteArray &path)
{
    struct stat status;
    if (::stat(path.constData(), &status) != 0)
        return errno == ENAMETOOLONG ? FileKind::NameTooLong : FileKind::Nothing;
    return kindOfMode(status.st_mode);
}

FileKind kindOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return FileKind::Folder;
    return S_ISREG(mode) ? FileKind::File : FileKind::Special;
}

} // namespace platform
