#include "platform/readonlyfile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{

ReadOnlyFile::ReadOnlyFile(const QString &path)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    struct stat status {
    };
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0)
        m_openError = errno;
    else
        m_size = status.st_size;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int ReadOnlyFile::read(qint64 offset, qint64 length, QByteArray &bytes) const
{
    bytes.resize(length);
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_fd, bytes.data() + done, static_cast<size_t>(length - done),
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            bytes.clear();
            return error;
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return 0;
}

} // namespace platform
