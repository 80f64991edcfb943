#pragma once

#include "processing/logsink.h"

// A log held in a string, exactly as written.
class TextLog : public LogSink
{
public:
    QString text;

    void appendText(const QString &appended) override { text += appended; }

protected:
    bool atLineStart() const override { return text.isEmpty() || text.endsWith(QLatin1Char('\n')); }
};
