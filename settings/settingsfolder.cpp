#include "settings/settingsfolder.h"

#include "base/folders.h"
#include "platform/newfile.h"

namespace
{
QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}
} // namespace

bool IsFolderWritable(const QString &folder)
{
    return platform::canCreateNewFile(withTrailingSlash(folder) + QStringLiteral("chk.tmp"));
}

QString settingsFolderFor(const QString &programFolder, const QString &userConfigFolder,
                          const QString &companyName, const QString &productName)
{
    if (IsFolderWritable(programFolder))
        return withTrailingSlash(programFolder);
    // The configuration folder itself may be missing on a fresh account, so create the whole
    // chain; a failure shows later, when the first write of the settings fails.
    const QString folder = userConfigFolder + u'/' + companyName + u'/' + productName + u'/';
    createFolderWithParents(folder);
    return folder;
}
