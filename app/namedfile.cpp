#include "app/namedfile.h"

#include "app/mediatypes.h"
#include "platform/filekind.h"

QString namedFileRefusal(const QString &path)
{
    switch (platform::fileKind(path)) {
    case platform::FileKind::NameTooLong:
        return QStringLiteral("path too long");
    case platform::FileKind::Special:
        return QStringLiteral("not a regular file");
    default:
        return IsMediaFile(path) ? QString() : QStringLiteral("unsupported type");
    }
}

bool isSpecialFile(const QString &path)
{
    return platform::fileKind(path) == platform::FileKind::Special;
}
