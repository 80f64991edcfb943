#pragma once

#include "settings/inifile.h"
#include "support/vendorserver.h"
#include "webservice/updatestore.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

// The path of the update check on the stand-in service.
inline const QString checkPath = QStringLiteral("/php/check2.php");

// A reply of the service to an update check: version, download address, an ignored line and
// the result, one a line.
inline QString checkReply(const QString &version, const QString &url,
                          const QString &result = QStringLiteral("1"))
{
    return QStringLiteral("<version>%1</version>\r\n<url>%2</url>\r\n\r\n<result>%3</result>\r\n")
        .arg(version, url, result);
}

inline VendorServer::Reply replyWith(const QString &body)
{
    VendorServer::Reply reply;
    reply.body = body;
    return reply;
}

inline VendorServer::Reply silentReply()
{
    VendorServer::Reply reply;
    reply.silent = true;
    return reply;
}

// The bookkeeping file of the program under a home folder whose config folder is .config.
inline QString updateStoreIn(const QString &home)
{
    return UpdateStore::fileFor(home + QStringLiteral("/.config"), QStringLiteral("QUONDEL"),
                                QStringLiteral("Hushmill"));
}

// One value of the bookkeeping file as stored; a null QString when it is missing.
inline QString storedValue(const QString &storeFile, const QString &name)
{
    return IniFile::open(storeFile).readString(QStringLiteral("Settings"), name, QString());
}

// Sets values of the bookkeeping file ({name, value} pairs), as an earlier run would have.
inline void storeValues(const QString &storeFile, const QList<QPair<QString, QString>> &values)
{
    UpdateStore store;
    store.open(storeFile);
    for (const auto &[name, value] : values)
        store.writeString(name, value);
}

// The fields of a form body ("name=value", decoded) in the order they were sent.
inline QStringList formFields(const QByteArray &body)
{
    QStringList fields;
    for (const QByteArray &pair : body.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        const auto decoded = [](QByteArray part) {
            return QString::fromUtf8(QByteArray::fromPercentEncoding(part.replace('+', ' ')));
        };
        fields << decoded(pair.left(equals)) + QLatin1Char('=') + decoded(pair.mid(equals + 1));
    }
    return fields;
}
