#pragma once

#include <QLocale>
#include <QString>

// The name of a locale as language and region joined by "-" ("en-US", "de-DE"); "xx" for the
// C locale, which names no language.
QString localeName(const QLocale &locale);

// The name of the user's locale as the system reports it at start-up.
QString GetUserLocaleName();
