#include "feedback/feedbackdelivery.h"

#include "feedback/feedbackmessage.h"
#include "webservice/postform.h"

namespace
{
constexpr int feedbackTimeoutMs = 3000;

QString postOverHttpsThenHttp(const QString &endpoint, const QStringList &fields)
{
    try {
        return PostForm(QStringLiteral("https://") + endpoint, fields, feedbackTimeoutMs);
    } catch (...) {
        return PostForm(QStringLiteral("http://") + endpoint, fields, feedbackTimeoutMs);
    }
}
} // namespace

QString feedbackEndpoint(const QString &host)
{
    return host + QStringLiteral("/php/feedback.php");
}

bool isDeliveredReply(const QString &reply)
{
    // Joining the reply's lines again by CR LF changes only line breaks, and a text with a line
    // break left after trimming cannot be "OK": trimming alone decides.
    return trimmedText(reply) == QLatin1String("OK");
}

bool deliverFeedback(const QString &endpoint, const QStringList &fields)
{
    try {
        return isDeliveredReply(postOverHttpsThenHttp(endpoint, fields));
    } catch (...) {
        return false;
    }
}
