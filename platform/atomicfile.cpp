#include "platform/atomicfile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

namespace
{
QString reason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// The file a path stands for: the target of a symbolic link, the path itself otherwise.
QByteArray resolvedName(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    char resolved[PATH_MAX];
    return ::realpath(name.constData(), resolved) ? QByteArray(resolved) : name;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// Opens a new, empty file beside `name` under a name of its own; -1 with errno on failure.
int openTemporaryBeside(const QByteArray &name, QByteArray &temporaryName)
{
    for (;;) {
        temporaryName =
            name + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
        const int fd =
            ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}
} // namespace

QString replaceFileContents(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = resolvedName(path);

    struct stat existing;
    const bool exists = ::stat(name.constData(), &existing) == 0;
    if (exists) {
        // The old file must be writable, as it would have to be for a write in place.
        const int check = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
        if (check < 0)
            return reason(errno);
        ::close(check);
    }

    QByteArray temporaryName;
    const int fd = openTemporaryBeside(name, temporaryName);
    if (fd < 0)
        return reason(errno);
    int failure = 0;
    if (!writeAll(fd, bytes) || (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) ||
        ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temporaryName.constData(), name.constData()) != 0)
        failure = errno;
    if (failure == 0)
        return QString();
    ::unlink(temporaryName.constData());
    return reason(failure);
}

} // namespace platform
