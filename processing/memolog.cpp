#include "processing/memolog.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

void MemoLog::appendText(const QString &text)
{
    QTextCursor end(m_memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

bool MemoLog::atLineStart() const
{
    // The document's last block is empty exactly when the text is empty or ends with a break.
    return m_memo->document()->lastBlock().length() <= 1;
}
