// The reading of the stored download address, over any text found in the store: a text made by
// ScrambleText reads back as it was, upper or lower case; whole pairs that are not all hex
// digits read as nothing; and any text read back scrambles to the input's whole pairs again,
// unless its bytes were no UTF-8.
#include "fuzzinput.h"
#include "webservice/scrambling.h"

#include <algorithm>

namespace
{
bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzzText(data, size);

    const QString scrambled = ScrambleText(text);
    FUZZ_CHECK(UnscrambleText(scrambled) == text);
    FUZZ_CHECK(UnscrambleText(scrambled.toLower()) == text);

    const QString pairs = text.left(text.size() - text.size() % 2);
    const QString plain = UnscrambleText(text);
    if (!std::all_of(pairs.begin(), pairs.end(), isHexDigit)) {
        FUZZ_CHECK(plain.isEmpty());
    } else if (!plain.contains(QChar::ReplacementCharacter)) {
        FUZZ_CHECK(ScrambleText(plain) == pairs.toUpper());
    }
    return 0;
}
