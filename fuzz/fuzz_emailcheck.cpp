// The e-mail address test over any text, against the same rule written out by hand: a local
// part of [A-Za-z0-9_.+-], "@", a label of [A-Za-z0-9-], ".", then [A-Za-z0-9.-] ending in a
// letter or digit. As in every Perl-compatible expression, "$" also matches before a line break
// that ends the text.
#include "feedback/emailcheck.h"
#include "fuzzinput.h"

#include <algorithm>

namespace
{
bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

bool allOf(QStringView text, QStringView others)
{
    return std::all_of(text.begin(), text.end(),
                       [&](QChar c) { return isAsciiLetterOrDigit(c) || others.contains(c); });
}

bool followsTheRule(QStringView text)
{
    if (text.endsWith(u'\n'))
        text.chop(1);
    const qsizetype at = text.indexOf(u'@');
    if (at <= 0 || !allOf(text.first(at), u"_.+-"))
        return false;
    const QStringView domain = text.sliced(at + 1);
    const qsizetype dot = domain.indexOf(u'.');
    if (dot <= 0 || !allOf(domain.first(dot), u"-"))
        return false;
    const QStringView rest = domain.sliced(dot + 1);
    return !rest.isEmpty() && allOf(rest, u"-.") && isAsciiLetterOrDigit(rest.back());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);
    FUZZ_CHECK(IsValidEmail(text) == followsTheRule(text));
    return 0;
}
