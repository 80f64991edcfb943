#include "base/folders.h"

#include "base/apperror.h"

#include <QDir>
#include <QFileInfo>

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool createFolderWithParents(const QString &folder)
{
    if (folder.isEmpty())
        throw AppError(QStringLiteral("Unable to create directory"));
    QDir().mkpath(folder);
    return QFileInfo(folder).isDir();
}
