#include "webservice/vendorhost.h"

#include <QtGlobal>

QString vendorHost()
{
    const QString overridden = qEnvironmentVariable("HUSHMILL_VENDOR_HOST");
    return overridden.isEmpty() ? QStringLiteral(HUSHMILL_DEFAULT_VENDOR_HOST) : overridden;
}
