// The form encoder over any fields (zero bytes separate them in the input): the body holds only
// the characters of a form post, and decoding it gives every name and value back.
#include "fuzzinput.h"
#include "webservice/formencoding.h"

#include <algorithm>

namespace
{
bool isFormCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           QByteArrayView("-._~%+=&").contains(c);
}

QByteArray decodeComponent(QByteArray component)
{
    return QByteArray::fromPercentEncoding(component.replace('+', ' '));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList fields = fuzzTexts(data, size);
    const QByteArray body = encodeFormFields(fields);
    FUZZ_CHECK(std::all_of(body.begin(), body.end(), isFormCharacter));

    const QByteArrayList pairs = body.split('&');
    FUZZ_CHECK(pairs.size() == fields.size());
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const qsizetype separator = fields[i].indexOf(u'=');
        const QString name = separator < 0 ? fields[i] : fields[i].first(separator);
        const QString value = separator < 0 ? QString() : fields[i].sliced(separator + 1);
        const QByteArrayList parts = pairs[i].split('=');
        FUZZ_CHECK(parts.size() == 2);
        FUZZ_CHECK(decodeComponent(parts[0]) == name.toUtf8());
        FUZZ_CHECK(decodeComponent(parts[1]) == value.toUtf8());
    }
    return 0;
}
