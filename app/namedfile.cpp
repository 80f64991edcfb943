#include "app/namedfile.h"

#include "app/filenametext.h"
#include "app/mediatypes.h"
#include "platform/filekind.h"
#include "platform/folderlisting.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

QString namedFileRefusal(const QByteArray &path)
{
    switch (platform::fileKind(path)) {
    case platform::FileKind::NameTooLong:
        return QStringLiteral("path too long");
    case platform::FileKind::Special:
        return QStringLiteral("not a regular file");
    default:
        return IsMediaFile(QFile::decodeName(path)) ? QString()
                                                    : QStringLiteral("unsupported type");
    }
}

bool isSpecialFile(const QString &path)
{
    return platform::fileKind(QFile::encodeName(path)) == platform::FileKind::Special;
}

bool isFolder(const QByteArray &path)
{
    return platform::fileKind(path) == platform::FileKind::Folder;
}

QList<QByteArray> unreadableTwins(const QString &path)
{
    const QFileInfo named(path);
    if (!named.fileName().contains(QChar::ReplacementCharacter))
        return {};
    const QByteArray folder = QFile::encodeName(named.path());
    const std::optional<platform::FolderListing> listing = platform::listFolder(folder);
    if (!listing)
        return {};
    QList<QByteArray> twins;
    for (const platform::FolderEntry &entry : listing->entries) {
        if (!isNameText(entry.name) && QFile::decodeName(entry.name) == named.fileName())
            twins.append(folder + '/' + entry.name);
    }
    return twins;
}

QString unreadableNamesMessage(const QList<QByteArray> &paths)
{
    QStringList folders;
    for (const QByteArray &path : paths) {
        const QString folder = folderOfUnreadableName(path);
        if (!folders.contains(folder))
            folders.append(folder);
    }
    return QStringLiteral("File names that are not valid UTF-8 cannot be converted. "
                          "Rename them in:\n") +
           folders.join(QLatin1Char('\n'));
}
