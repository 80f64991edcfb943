#pragma once

#include <QString>
#include <QTextStream>

// Writes the path of every file under `folder` that a folder load would put into the list
// (scanMediaFiles, so the two always agree), one a line, or each ended by a zero byte when
// `zeroEnded`, for scripts whose names may hold line breaks. Paths begin with `folder` as
// given. Files whose names are not text are left out, and the folders that hold them named on
// `errors`. Answers the exit status: 0, or 1 with a reason on `errors` when `folder` is no
// readable folder.
int listSupportedFiles(const QString &folder, bool zeroEnded, FILE *out, QTextStream &errors);
