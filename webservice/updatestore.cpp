#include "webservice/updatestore.h"

#include "base/apperror.h"
#include "base/folders.h"

#include <QFileInfo>

namespace
{
const QString group = QStringLiteral("Settings");
}

QString UpdateStore::fileFor(const QString &userConfigFolder, const QString &companyName,
                             const QString &productName)
{
    return userConfigFolder + QLatin1Char('/') + companyName + QLatin1Char('/') + productName +
           QStringLiteral("/update.ini");
}

void UpdateStore::open(const QString &fileName)
{
    m_file = IniFile(fileName);
    if (!createFolderWithParents(QFileInfo(fileName).path()))
        throw AppError(QStringLiteral("Cannot create the folder of \"%1\"").arg(fileName));
    m_file = IniFile::open(fileName);
}

QString UpdateStore::readString(const QString &name, const QString &defaultValue) const
{
    return m_file.readString(group, name, defaultValue);
}

int UpdateStore::readInteger(const QString &name, int defaultValue) const
{
    return m_file.readInteger(group, name, defaultValue);
}

void UpdateStore::writeString(const QString &name, const QString &value)
{
    IniFile current = IniFile::open(m_file.fileName());
    current.writeString(group, name, value);
    current.updateFile();
    m_file = std::move(current);
}
