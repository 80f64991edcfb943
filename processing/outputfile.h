#pragma once

#include "platform/samefile.h"

#include <QDateTime>
#include <QString>

// The size of the file at `path` (a symbolic link counts by its target), or -1 when nothing
// stands there. The path is taken literally: "*" and "?" are ordinary characters.
qint64 GetFileSizeByName(const QString &path);

// The verdict on a finished run from its output file alone: "Error" when no file stands at
// `outfile`, or when it is empty (it is then deleted); "OK" otherwise.
QString judgeOutputFile(const QString &outfile);

// What stood at a path before a run, to tell afterwards whether the run wrote there.
class FileStamp
{
public:
    explicit FileStamp(const QString &path);

    // Deletes the file at the path when it was created or changed since the stamp was taken,
    // or is empty; a file with content that nobody touched stays.
    void removeWhatWasWrittenSince() const;

    // Deletes the file at the path when it is still the file stamped, whatever was written
    // into it; one put in its place since stays.
    void removeIfSameFile() const;

private:
    bool sameAs(const FileStamp &other) const;

    QString m_path;
    bool m_isFile = false;
    std::optional<platform::FileIdentity> m_identity;
    qint64 m_size = -1;
    QDateTime m_modified;
    QDateTime m_changed;
};
