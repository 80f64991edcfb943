#include "processing/outputfile.h"

#include "processing/conversionresult.h"

#include <QFile>
#include <QFileInfo>

qint64 GetFileSizeByName(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
}

QString judgeOutputFile(const QString &outfile)
{
    // Only a regular file counts: a folder or a device at the path is no output.
    if (!QFileInfo(outfile).isFile())
        return conversionError;
    if (GetFileSizeByName(outfile) == 0) {
        QFile::remove(outfile);
        return conversionError;
    }
    return conversionOK;
}

FileStamp::FileStamp(const QString &path) : m_path(path)
{
    const QFileInfo info(path);
    m_isFile = info.isFile();
    if (m_isFile) {
        m_identity = platform::fileIdentity(path);
        m_size = info.size();
        m_modified = info.lastModified();
        m_changed = info.metadataChangeTime();
    }
}

void FileStamp::removeWhatWasWrittenSince() const
{
    const FileStamp now(m_path);
    if (now.m_isFile && (!sameAs(now) || now.m_size == 0))
        QFile::remove(m_path);
}

void FileStamp::removeIfSameFile() const
{
    if (m_identity && platform::fileIdentity(m_path) == m_identity)
        QFile::remove(m_path);
}

bool FileStamp::sameAs(const FileStamp &other) const
{
    return m_isFile == other.m_isFile && m_identity == other.m_identity && m_size == other.m_size &&
           m_modified == other.m_modified && m_changed == other.m_changed;
}
