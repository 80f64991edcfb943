#pragma once

#include <QStringList>

// Where feedback goes: the host of the vendor's service and the feedback path, without a scheme.
QString feedbackEndpoint(const QString &host);

// Whether the service's reply says the feedback arrived: its lines, joined again by CR LF and
// trimmed at both ends (spaces and control characters), are exactly "OK".
bool isDeliveredReply(const QString &reply);

// Posts the feedback fields to "https://" + endpoint and, when that exchange fails in any way,
// once more to "http://" + endpoint; each attempt waits at most 3000 ms to connect and 3000 ms
// for data. True only when the reply says the feedback arrived; never raises. Blocks the calling
// thread, and is safe on any thread.
bool deliverFeedback(const QString &endpoint, const QStringList &fields);
