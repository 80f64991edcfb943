#include "about/exeversiondata.h"

#include "about/versionblock.h"
#include "about/versionblockfile.h"
#include "about/versionblocklayout.h"
#include "base/apperror.h"

#include <QtEndian>
#include <cerrno>

void GetEXEVersionData(const QString &FileName, TEXEVersionData &Data)
{
    QByteArray block;
    if (const int error = readVersionBlock(FileName, block))
        throw OSError(error);
    readEXEVersionData(block, Data);
}

void readEXEVersionData(QByteArrayView block, TEXEVersionData &Data)
{
    // Only the first entry of the table counts: its language, then its code page. A table too
    // short to hold one entry is as good as none.
    const std::optional<QByteArrayView> translations =
        queryVersionValue(block, u"\\VarFileInfo\\Translation\\");
    if (!translations || translations->size() < 4)
        throw OSError(ENODATA);
    const auto language = qFromLittleEndian<quint16>(translations->data());
    const auto codePage = qFromLittleEndian<quint16>(translations->data() + 2);
    const QString translation = QStringLiteral("%1%2")
                                    .arg(language, 4, 16, QLatin1Char('0'))
                                    .arg(codePage, 4, 16, QLatin1Char('0'))
                                    .toUpper();
    const QString table = QStringLiteral("\\StringFileInfo\\") + translation;

    const std::pair<QString TEXEVersionData::*, const char *> fields[] = {
        {&TEXEVersionData::CompanyName, "\\CompanyName"},
        {&TEXEVersionData::FileDescription, "\\FileDescription"},
        {&TEXEVersionData::FileVersion, "\\FileVersion"},
        {&TEXEVersionData::InternalName, "\\InternalName"},
        {&TEXEVersionData::LegalCopyright, "\\LegalCopyright"},
        {&TEXEVersionData::LegalTrademarks, "\\LegalTrademarks"},
        {&TEXEVersionData::OriginalFileName, "\\OriginalFileName"},
        {&TEXEVersionData::ProductName, "\\ProductName"},
        {&TEXEVersionData::ProductVersion, "\\ProductVersion"},
        {&TEXEVersionData::Comments, "\\Comments"},
        {&TEXEVersionData::PrivateBuild, "\\PrivateBuild"},
        {&TEXEVersionData::SpecialBuild, "\\SpecialBuild"},
    };
    for (const auto &[field, name] : fields) {
        if (std::optional<QString> text = queryVersionText(block, table + QLatin1String(name)))
            Data.*field = std::move(*text);
    }
}

quint32 GetFileVersionNumber(const QString &FileName)
{
    QByteArray block;
    if (readVersionBlock(FileName, block) != 0)
        return 0xFFFFFFFF;
    return fixedFileVersionMS(block);
}

quint32 fixedFileVersionMS(QByteArrayView block)
{
    const std::optional<QByteArrayView> fixedInfo = queryVersionValue(block, u"\\");
    if (!fixedInfo || fixedInfo->size() < versionblock::fixedInfoSize ||
        qFromLittleEndian<quint32>(fixedInfo->data()) != versionblock::fixedInfoSignature)
        return 0xFFFFFFFF;
    return qFromLittleEndian<quint32>(fixedInfo->data() + versionblock::fileVersionMSOffset);
}

QString majorMinorVersion(quint32 fileVersionMS)
{
    return QStringLiteral("%1.%2").arg(fileVersionMS >> 16).arg(fileVersionMS & 0xFFFF);
}
