#include "processing/outputpath.h"

#include "base/apperror.h"
#include "base/fileextension.h"
#include "processing/runningwork.h"

#include <QFileInfo>

#include <cerrno>

QString outputPathFor(const QString &targetFolder, const QString &input)
{
    const QString fileName = input.mid(input.lastIndexOf(QLatin1Char('/')) + 1);
    return targetFolder + QLatin1Char('/') + fileName;
}

QString MakeUniqueFileName(const QString &path)
{
    if (path.contains(QChar(0)))
        throw AppError(QStringLiteral("Invalid characters in path"));
    const QString extension = fileExtension(path);
    const QString stem = path.chopped(extension.size());
    for (qint64 n = 1;; ++n) {
        const QString candidate = n == 1 ? path
                                         : stem + QStringLiteral(" (") + QString::number(n) +
                                               QLatin1Char(')') + extension;
        const int error = runningwork::reserve(candidate);
        // A folder does not make a name taken; a name that cannot be created at all is left
        // to ffmpeg, whose complaint then shows why.
        if (error != EEXIST || QFileInfo(candidate).isDir())
            return candidate;
    }
}
