#include "processing/outputpath.h"

#include "base/apperror.h"
#include "base/folders.h"
#include "base/fileextension.h"

QString outputPathFor(const QString &targetFolder, const QString &input)
{
    const QString fileName = input.mid(input.lastIndexOf(QLatin1Char('/')) + 1);
    return targetFolder + QLatin1Char('/') + fileName;
}

QString MakeUniqueFileName(const QString &path)
{
    if (path.contains(QChar(0)))
        throw AppError(QStringLiteral("Invalid characters in path"));
    if (!fileExists(path))
        return path;

    const QString extension = fileExtension(path);
    const QString stem = path.chopped(extension.size());
    for (qint64 n = 2;; ++n) {
        const QString candidate =
            stem + QStringLiteral(" (") + QString::number(n) + QLatin1Char(')') + extension;
        if (!fileExists(candidate))
            return candidate;
    }
}
