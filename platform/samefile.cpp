#include "platform/samefile.h"

#include <QFile>

#include <sys/stat.h>

namespace platform
{

bool isSameFile(const QString &first, const QString &second)
{
    const std::optional<FileIdentity> a = fileIdentity(first);
    return a && a == fileIdentity(second);
}

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{quint64(status.st_dev), quint64(status.st_ino)};
}

} // namespace platform
