#include "processing/logsink.h"

void LogSink::appendLine(const QString &line)
{
    appendText(atLineStart() ? line + QLatin1Char('\n') : QLatin1Char('\n') + line);
}
