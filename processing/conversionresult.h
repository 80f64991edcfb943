#pragma once

#include <QString>

// The result of converting one file: what the conversion answers, what the file list shows
// beside the file and what the command line reports.
inline const QString conversionOK = QStringLiteral("OK");
inline const QString conversionError = QStringLiteral("Error");
