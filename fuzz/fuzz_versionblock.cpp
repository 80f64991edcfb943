// The version-block reader over any bytes taken for a block: the strings and the file version
// as the program reads them at start, and queries by path (the path is the input's first line,
// the block what follows it). A value found must lie inside the block.
#include "about/exeversiondata.h"
#include "about/versionblock.h"
#include "base/apperror.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(data, qsizetype(size));
    const qsizetype firstBreak = input.indexOf('\n');
    const QString path =
        QString::fromUtf8(firstBreak < 0 ? QByteArrayView() : input.first(firstBreak));
    const QByteArrayView block = input.sliced(firstBreak + 1);

    TEXEVersionData versionData;
    try {
        readEXEVersionData(block, versionData);
    } catch (const OSError &) {
    }
    majorMinorVersion(fixedFileVersionMS(block));

    if (const std::optional<QByteArrayView> value = queryVersionValue(block, path)) {
        FUZZ_CHECK(value->data() >= block.data() &&
                   value->data() + value->size() <= block.data() + block.size());
    }
    queryVersionText(block, path);
    return 0;
}
