#pragma once

#include <QString>

// The online help page of a product: http://<vendor host>/help/<word>/, where the word is the
// product name with its ASCII letters in lower case and every blank turned into "-".
QString helpAddress(const QString &vendorHost, const QString &productName);
