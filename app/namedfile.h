#pragma once

#include <QString>

// Why a file named for the list (on the command line, or dropped on the window) is not taken:
// "path too long", "not a regular file" (a pipe, a socket or a device, whose reading could wait
// forever), "unsupported type" (IsMediaFile); empty when it is taken. A name that names nothing
// is taken as before, and its conversion then fails.
QString namedFileRefusal(const QString &path);

// Whether a pipe, a socket or a device stands at the path. Such a thing never enters the list.
bool isSpecialFile(const QString &path);
