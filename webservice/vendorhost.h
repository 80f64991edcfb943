#pragma once

#include <QString>

// The host (optionally "host:port") of the vendor's web service and site: the environment
// variable HUSHMILL_VENDOR_HOST when set and not empty, otherwise the host chosen at build time.
QString vendorHost();
