#include "webservice/localename.h"

QString localeName(const QLocale &locale)
{
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return QStringLiteral("xx");
    return locale.name().replace(QLatin1Char('_'), QLatin1Char('-'));
}

QString GetUserLocaleName()
{
    return localeName(QLocale::system());
}
