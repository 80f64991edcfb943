#pragma once

#include <QByteArray>
#include <QString>

namespace platform
{

// Replaces the whole contents of a file so that it holds either its old or its new bytes at
// any moment, even when the process dies or the disk fills half-way: the bytes go to a new
// file in the same folder, are flushed to disk, and that file is renamed over the old one.
// An existing file keeps its permissions; one that this process may not write is left as it
// is and reported, as a write in place would be. A symbolic link is followed.
// Answers an empty string on success, otherwise the system's reason for the failure.
QString replaceFileContents(const QString &path, const QByteArray &bytes);

} // namespace platform
