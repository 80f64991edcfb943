#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// A file opened for reading at chosen positions. Failures are reported as errno values, so
// that callers can raise the system's own error text for them.
class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString &path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile &) = delete;
    ReadOnlyFile &operator=(const ReadOnlyFile &) = delete;

    // 0 when the file is open, otherwise the errno of the failed open.
    int openError() const { return m_openError; }

    // The file's size in bytes when it was opened.
    qint64 size() const { return m_size; }

    // Reads `length` bytes starting at `offset` into `bytes`; fewer where the file ends first.
    // Returns 0, or the errno of the failed read.
    int read(qint64 offset, qint64 length, QByteArray &bytes) const;

private:
    int m_fd = -1;
    int m_openError = 0;
    qint64 m_size = 0;
};

} // namespace platform
