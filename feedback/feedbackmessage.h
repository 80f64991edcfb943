#pragma once

#include <QStringList>
#include <QStringView>

// The mark the user may put on a message.
enum class FeedbackChoice { None, Like, Dislike };

// The text with every space and control character (U+0000 to U+0020, line breaks included)
// removed from both ends.
QString trimmedText(QStringView text);

// The text sent as feedback: the choice line ("I like it!" or "I dislike it!", ended by a single
// carriage return) when a choice is made, then the message as it stands.
QString composeFeedbackText(FeedbackChoice choice, const QString &message);

// The fields of the feedback post, in their order on the wire: cmd, appname, version, feedback
// and, only when an address is given, email.
QStringList feedbackFields(const QString &appName, const QString &appVersion,
                           const QString &feedbackText, const QString &email);
