#pragma once

class QPlainTextEdit;

// Keeps the text of memo at most `maximum` characters long, whatever puts it there (typing,
// pasting, dropping, setPlainText): of an insertion that does not fit, only what fits stays.
void limitMemoLength(QPlainTextEdit *memo, int maximum);
