#pragma once

#include <QByteArray>
#include <QString>

// This program's identifier for a machine, derived from the machine's own identifier text (which
// must never be sent as it is): a keyed SHA-256 of it with a fixed key of the program, its first
// 16 bytes written like a GUID (8-4-4-4-12 lower-case hex digits). Empty for an empty text.
QString machineIdFrom(const QByteArray &systemMachineId);

// The program's identifier for the machine whose identifier file is path: empty when the file
// does not exist or holds only blanks; a file that exists but cannot be read raises OSError.
QString machineIdFromFile(const QString &path);

// The program's identifier for this machine (from /etc/machine-id), stable between runs.
QString GetMachineId();
