// The description of the system that the update check and the feedback send, read from the
// os-release file, the kernel release and the machine name (zero bytes separate the three in
// the input): the name is one line, never empty, and the version numbers are small and whole.
#include "fuzzinput.h"
#include "webservice/osdescription.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = fuzzBytes(data, size).split('\0');
    const OSVersion version = linuxVersion(parts.value(0), parts.value(1), parts.value(2));

    FUZZ_CHECK(!version.name.isEmpty() && !version.name.contains(u'\n'));
    for (const int number : {version.major, version.minor, version.build})
        FUZZ_CHECK(number >= 0 && number <= 999999999);
    FUZZ_CHECK(formatOSDescription(version).startsWith(version.name + QStringLiteral(" (")));
    return 0;
}
