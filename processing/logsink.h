#pragma once

#include <QString>

// Where a conversion writes its log: the window's log memo, or whatever a caller provides.
// The log is one text; a line is a stretch of it ended by a line break.
class LogSink
{
public:
    virtual ~LogSink() = default;

    // Appends text exactly as given at the end of the log.
    virtual void appendText(const QString &text) = 0;

    // Puts `line` on a line of its own after whatever the log holds: when the log's last line
    // is unfinished, the new line follows a line break; otherwise it is written and ended.
    void appendLine(const QString &line);

protected:
    // True when the log is empty or ends with a line break.
    virtual bool atLineStart() const = 0;
};
