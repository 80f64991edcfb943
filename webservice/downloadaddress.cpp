#include "webservice/downloadaddress.h"

QUrl downloadTarget(const QString &downloadUrl, const QString &homePage)
{
    const QUrl url(downloadUrl, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    return url.isValid() && web && !url.host().isEmpty() ? url : QUrl(homePage);
}
