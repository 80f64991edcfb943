#pragma once

#include <QString>
#include <QUrl>

// The address that the new-version notice opens. The download address comes from the network,
// so it is opened only when it is a valid http or https address with a host; anything else
// (an empty text, a local file, another scheme) gives homePage instead.
QUrl downloadTarget(const QString &downloadUrl, const QString &homePage);
