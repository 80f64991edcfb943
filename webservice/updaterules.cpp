#include "webservice/updaterules.h"

QString dayText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString todayText()
{
    return dayText(QDate::currentDate(), QLocale::system());
}

bool dailyLimitReached(const QString &lastCheckDay, const QString &today, int dayCount)
{
    return lastCheckDay == today && dayCount >= dailyRequestLimit;
}

int dayCountWithRequest(const QString &lastCheckDay, const QString &today, int dayCount)
{
    return lastCheckDay == today ? dayCount + 1 : 1;
}

namespace
{
// An optional sign, then at least one ASCII digit, within the signed 32-bit range.
bool isWholeNumber32(const QString &text)
{
    const bool negative = text.startsWith(QLatin1Char('-'));
    const qsizetype start = negative || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (start == text.size())
        return false;
    const qint64 limit = negative ? 2147483648LL : 2147483647LL;
    qint64 magnitude = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return false;
    }
    return true;
}
} // namespace

bool reportsOtherVersion(const QString &replyVersion, const QString &appVersion)
{
    if (replyVersion == appVersion)
        return false;
    return isWholeNumber32(QString(replyVersion).remove(QLatin1Char('.')));
}

bool mayOpenNotice(int showUpdate, bool lastCheckWasToday, int dayCountWithThisRequest)
{
    return showUpdate == 1 && (!lastCheckWasToday || dayCountWithThisRequest <= dailyNoticeLimit);
}
