// The reading of the program's arguments (zero bytes separate them in the input) into the input
// and output of a single conversion. Exactly "-input", a path, "-output", a path (either order)
// give the two paths as they are; for any other arguments both paths are pieces of the joined
// arguments, the output its end. In the four-argument form with the input first, the rebuild
// from the joined text agrees whenever the input path holds no "-output".
#include "fuzzinput.h"
#include "processing/commandline.h"

namespace
{
const QString inputWord = QStringLiteral("-input");
const QString outputWord = QStringLiteral("-output");

bool isPairForm(const QStringList &arguments)
{
    return arguments.size() == 4 && ((arguments[0] == inputWord && arguments[2] == outputWord) ||
                                     (arguments[0] == outputWord && arguments[2] == inputWord));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList arguments = fuzzTexts(data, size);
    const QString joined = joinArguments(arguments);
    const CommandLineRequest request = readCommandLine(arguments);
    const CommandLineRequest rebuilt = parseCommandLine(joined);
    FUZZ_CHECK(joined.contains(rebuilt.input));
    FUZZ_CHECK(joined.endsWith(rebuilt.output));

    if (isPairForm(arguments)) {
        const bool inputFirst = arguments[0] == inputWord;
        FUZZ_CHECK(request.input == arguments[inputFirst ? 1 : 3]);
        FUZZ_CHECK(request.output == arguments[inputFirst ? 3 : 1]);
        if (inputFirst && !arguments[1].contains(outputWord)) {
            FUZZ_CHECK(rebuilt.input == request.input);
            FUZZ_CHECK(rebuilt.output == request.output);
        }
    } else {
        FUZZ_CHECK(request.input == rebuilt.input && request.output == rebuilt.output);
    }
    if (request.convertsOneFile()) {
        absolutePath(request.input);
        absolutePath(request.output);
    }
    return 0;
}
