#include "webservice/replylines.h"

QStringList splitReplyLines(const QString &reply)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < reply.size(); ++i) {
        const QChar c = reply.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << reply.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < reply.size() && reply.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < reply.size())
        lines << reply.mid(start);
    return lines;
}

QString GetTagValue(const QString &line, const QString &name)
{
    if (line.isEmpty() || name.isEmpty())
        return {};
    const QString tag = name.toLower();
    const QString opening = QLatin1Char('<') + tag + QLatin1Char('>');
    const QString closing = QStringLiteral("</") + tag + QLatin1Char('>');
    if (!line.startsWith(opening) || !line.endsWith(closing))
        return {};
    return line.sliced(opening.size(), line.size() - opening.size() - closing.size());
}
