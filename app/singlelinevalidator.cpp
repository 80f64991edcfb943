#include "app/singlelinevalidator.h"

#include <algorithm>

QValidator::State SingleLineValidator::validate(QString &input, int &position) const
{
    const auto isLineBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    position -= int(std::count_if(input.cbegin(), input.cbegin() + position, isLineBreak));
    input.removeIf(isLineBreak);
    return Acceptable;
}
