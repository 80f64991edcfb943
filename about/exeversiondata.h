#pragma once

#include <QByteArrayView>
#include <QString>

// The twelve standard strings of an executable's version block, in the order of the block's
// string table. A string the block lacks leaves its field as it was.
struct TEXEVersionData {
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyright;
    QString LegalTrademarks;
    QString OriginalFileName;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
    QString PrivateBuild;
    QString SpecialBuild;
};

// Copies the strings of the first translation of `FileName`'s version block into `Data`.
// Raises OSError when the file cannot be read (the errno of open or read), is no executable it
// can read (ENOEXEC), or has no version block or no translation in it (ENODATA); `Data` is then
// untouched.
void GetEXEVersionData(const QString &FileName, TEXEVersionData &Data);

// The same from a version block already in memory.
void readEXEVersionData(QByteArrayView block, TEXEVersionData &Data);

// dwFileVersionMS of `FileName`'s fixed file information (major number in the high 16 bits,
// minor in the low), or 0xFFFFFFFF when the file has no readable version block or no fixed file
// information. Never raises.
quint32 GetFileVersionNumber(const QString &FileName);

// The same from a version block already in memory.
quint32 fixedFileVersionMS(QByteArrayView block);

// "major.minor" of a dwFileVersionMS, in decimal: 0x00010002 gives "1.2".
QString majorMinorVersion(quint32 fileVersionMS);
