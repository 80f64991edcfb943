#include "app/helpaddress.h"

QString helpAddress(const QString &vendorHost, const QString &productName)
{
    QString word = productName;
    for (QChar &c : word) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() - 'A' + 'a');
        else if (c == QLatin1Char(' '))
            c = QLatin1Char('-');
    }
    return QStringLiteral("http://%1/help/%2/").arg(vendorHost, word);
}
