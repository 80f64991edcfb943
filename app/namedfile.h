#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Why a file named for the list (on the command line, or dropped on the window) is not taken:
// "path too long", "not a regular file" (a pipe, a socket or a device, whose reading could wait
// forever), "unsupported type" (IsMediaFile); empty when it is taken. A name that names nothing
// is taken as before, and its conversion then fails. Whether the name is text is not asked
// here (see notTextReason).
QString namedFileRefusal(const QByteArray &path);

// Why a file whose path is not text is never converted.
inline const QString notTextReason = QStringLiteral("name is not valid UTF-8");

// Whether a pipe, a socket or a device stands at the path. Such a thing never enters the list.
bool isSpecialFile(const QString &path);

// Whether a folder stands at the path.
bool isFolder(const QByteArray &path);

// The files beside `path` whose names are not text but read as its name (a dialog, which
// shows names as text, answers such a name with the text). Empty unless the name holds U+FFFD.
QList<QByteArray> unreadableTwins(const QString &path);

// The warning about paths that are not text: which folders hold names to rename.
QString unreadableNamesMessage(const QList<QByteArray> &paths);
