#include "platform/newfile.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace platform
{

bool canCreateNewFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(name.constData());
    return true;
}

} // namespace platform
