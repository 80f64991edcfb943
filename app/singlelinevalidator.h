#pragma once

#include <QValidator>

// Keeps an edit field to one line: line breaks that arrive with pasted text are left out. A
// line break in the target folder's text would otherwise split its line in "settings.ini" and
// bring in lines of its own at the next start.
class SingleLineValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override;
};
