#include "app/supportedlisting.h"

#include "app/folderscan.h"
#include "app/namedfile.h"

#include <QDir>
#include <QFile>

int listSupportedFiles(const QString &folder, bool zeroEnded, FILE *out, QTextStream &errors)
{
    if (!QFileInfo(folder).isDir() || !QDir(folder).isReadable()) {
        errors << "Not a readable folder: " << folder << Qt::endl;
        return 1;
    }
    QStringList found;
    QList<QByteArray> unreadable;
    scanMediaFiles(QFile::encodeName(folder), found, unreadable);
    if (!unreadable.isEmpty())
        errors << unreadableNamesMessage(unreadable) << Qt::endl;
    const char end = zeroEnded ? '\0' : '\n';
    for (const QString &path : std::as_const(found)) {
        // The file system's own bytes, so every name comes out as the script must pass it on.
        const QByteArray bytes = QFile::encodeName(path);
        std::fwrite(bytes.constData(), 1, bytes.size(), out);
        std::fputc(end, out);
    }
    return std::fflush(out) == 0 ? 0 : 1;
}
