#pragma once

#include <QString>

// Pages of the vendor's web site at `vendorHost` (a host, optionally with ":port").

// The home page, over http.
QString vendorHomePage(const QString &vendorHost);
// The acknowledgements page, over https.
QString acknowledgementsPage(const QString &vendorHost);
// How to uninstall the vendor's programs, over http.
QString uninstallPage(const QString &vendorHost);
