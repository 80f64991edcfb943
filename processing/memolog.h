#pragma once

#include "processing/logsink.h"

class QPlainTextEdit;

// A log that writes into a memo. Text goes in at the end of the document, so appending costs
// time in proportion to what is appended, however long the log already is.
class MemoLog : public LogSink
{
public:
    explicit MemoLog(QPlainTextEdit *memo) : m_memo(memo) {}

    void appendText(const QString &text) override;

protected:
    bool atLineStart() const override;

private:
    QPlainTextEdit *m_memo;
};
