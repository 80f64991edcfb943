// The splitting of the program's arguments (zero bytes separate them in the input) into the
// input and output of a single conversion: both paths are pieces of the joined arguments, the
// output its end.
#include "fuzzinput.h"
#include "processing/commandline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString joined = joinArguments(fuzzTexts(data, size));
    const CommandLineRequest request = parseCommandLine(joined);
    FUZZ_CHECK(joined.contains(request.input));
    FUZZ_CHECK(joined.endsWith(request.output));
    if (request.convertsOneFile()) {
        absolutePath(request.input);
        absolutePath(request.output);
    }
    return 0;
}
