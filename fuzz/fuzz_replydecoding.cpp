// The decoding of a reply body by the charset its Content-Type declares. The first line of the
// input is the Content-Type value, the rest the body. A charset that cannot be decoded is
// refused with AppError; a body without a declared charset reads as UTF-8.
#include "base/apperror.h"
#include "fuzzinput.h"
#include "webservice/replydecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzBytes(data, size);
    const qsizetype firstBreak = input.indexOf('\n');
    const QByteArray contentType = firstBreak < 0 ? input : input.first(firstBreak);
    const QByteArray body = firstBreak < 0 ? QByteArray() : input.sliced(firstBreak + 1);
    try {
        const QString text = decodeReplyBody(body, contentType);
        if (!contentType.contains(';'))
            FUZZ_CHECK(text == QString::fromUtf8(body));
    } catch (const AppError &) {
    }
    return 0;
}
