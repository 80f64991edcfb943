#include "feedback/memolimit.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

void limitMemoLength(QPlainTextEdit *memo, int maximum)
{
    QTextDocument *document = memo->document();
    QObject::connect(document, &QTextDocument::contentsChange, memo,
                     [document, maximum](int position, int, int added) {
                         // The document counts one closing paragraph mark beyond the text.
                         const int length = document->characterCount() - 1;
                         const int excess = length - maximum;
                         if (excess <= 0)
                             return;
                         const int end = qMin(position + added, length);
                         const int start = qMax(position, end - excess);
                         if (start >= end)
                             return;
                         // Cutting joins the insertion's undo step: one undo takes both away.
                         QTextCursor cut(document);
                         cut.joinPreviousEditBlock();
                         cut.setPosition(start);
                         cut.setPosition(end, QTextCursor::KeepAnchor);
                         cut.removeSelectedText();
                         cut.endEditBlock();
                     });
}
