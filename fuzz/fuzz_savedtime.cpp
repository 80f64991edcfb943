// The lengths before and after a conversion, read from ffmpeg's console output (which repeats
// the input's own metadata tags): both lengths are whole numbers of seconds or more, never
// negative, and their text shows two lengths and a share from 0 to 100 per cent.
#include "fuzzinput.h"
#include "processing/savedtime.h"

#include <QRegularExpression>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString output = fuzzText(data, size);
    const std::optional<SavedTime> saved = savedTimeOfRun(QStringLiteral("OK"), output);
    FUZZ_CHECK(!savedTimeOfRun(QStringLiteral("Error"), output));
    if (!saved)
        return 0;
    FUZZ_CHECK(std::isfinite(saved->inputSeconds) && saved->inputSeconds >= 0);
    FUZZ_CHECK(std::isfinite(saved->outputSeconds) && saved->outputSeconds >= 0);

    static const QRegularExpression text(QStringLiteral(
        R"(^(\d+\.\d s|\d+(:\d\d){1,2}) \x{2192} (\d+\.\d s|\d+(:\d\d){1,2}) \((\x{2212})?(\d+) %\)$)"));
    const QRegularExpressionMatch match = text.match(savedText(saved));
    FUZZ_CHECK(match.hasMatch());
    FUZZ_CHECK(match.captured(6).toInt() <= 100);

    BatchTally tally;
    tally.add(QStringLiteral("OK"), saved);
    tally.add(QStringLiteral("OK"), saved);
    FUZZ_CHECK(!batchSummary(tally).contains(u'-'));
    return 0;
}
