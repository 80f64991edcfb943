#include "about/vendorpages.h"

QString vendorHomePage(const QString &vendorHost)
{
    return QStringLiteral("http://%1/").arg(vendorHost);
}

QString acknowledgementsPage(const QString &vendorHost)
{
    return QStringLiteral("https://%1/blog/credits-and-acknowledgements/").arg(vendorHost);
}

QString uninstallPage(const QString &vendorHost)
{
    return QStringLiteral("http://%1/blog/how-to-uninstall-quondel-software/").arg(vendorHost);
}
