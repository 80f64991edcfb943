#include "platform/systeminfo.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace platform
{

SystemFile readSystemFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {{}, errno};
    SystemFile file;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            file.text.append(buffer, got);
        } else if (got == 0) {
            break;
        } else if (errno != EINTR) {
            file = {{}, errno};
            break;
        }
    }
    ::close(fd);
    return file;
}

KernelInfo kernelInfo()
{
    utsname names{};
    if (::uname(&names) != 0)
        return {};
    return {QByteArray(names.release), QByteArray(names.machine)};
}

} // namespace platform
