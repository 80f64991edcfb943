// The reading of an executable's version block from its ELF section, over any bytes taken for
// an executable file: the strings and the file version as the program reads them at start.
#include "about/exeversiondata.h"
#include "base/apperror.h"
#include "fuzzinput.h"

#include <sys/mman.h>
#include <unistd.h>

namespace
{
// A file in memory, named by its path under /proc: the reader opens a path, and a file on disk
// would make every input wait for the disk.
int memoryFile()
{
    const int descriptor = memfd_create("executable", 0);
    FUZZ_CHECK(descriptor >= 0);
    return descriptor;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const int descriptor = memoryFile();
    static const QString path = QStringLiteral("/proc/self/fd/%1").arg(descriptor);
    FUZZ_CHECK(ftruncate(descriptor, 0) == 0);
    FUZZ_CHECK(pwrite(descriptor, data, size, 0) == ssize_t(size));

    TEXEVersionData versionData;
    try {
        GetEXEVersionData(path, versionData);
    } catch (const OSError &) {
    }
    GetFileVersionNumber(path);
    return 0;
}
