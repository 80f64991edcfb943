#include "feedback/feedbackmessage.h"

QString trimmedText(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin).toString();
}

QString composeFeedbackText(FeedbackChoice choice, const QString &message)
{
    switch (choice) {
    case FeedbackChoice::Like:
        return QStringLiteral("I like it!\r") + message;
    case FeedbackChoice::Dislike:
        return QStringLiteral("I dislike it!\r") + message;
    case FeedbackChoice::None:
        break;
    }
    return message;
}

QStringList feedbackFields(const QString &appName, const QString &appVersion,
                           const QString &feedbackText, const QString &email)
{
    QStringList fields{QStringLiteral("cmd=feedback"), QStringLiteral("appname=") + appName,
                       QStringLiteral("version=") + appVersion,
                       QStringLiteral("feedback=") + feedbackText};
    if (!email.isEmpty())
        fields << QStringLiteral("email=") + email;
    return fields;
}
