// The rules that turn a file name from outside (a folder listing, a drop, the command line) into
// a list entry and an output path: its extension, the media-type test, the output path in the
// target folder and the unique name there. The target folder holds a few files and a folder
// whose names the seed inputs take.
#include "app/mediatypes.h"
#include "base/apperror.h"
#include "base/fileextension.h"
#include "base/folders.h"
#include "fuzzinput.h"
#include "processing/outputpath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{
QString makeTargetFolder(const QTemporaryDir &folder)
{
    for (const char *name : {"taken.mp3", "taken (2).mp3", "noext", ".mp3", "two.dots.wav"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
    }
    FUZZ_CHECK(QDir(folder.path()).mkdir(QStringLiteral("folder.mp3")));
    return folder.path();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder;
    static const QString targetFolder = makeTargetFolder(folder);
    const QString path = fuzzText(data, size);

    const QString extension = fileExtension(path);
    FUZZ_CHECK(extension.isEmpty() || (extension.startsWith(u'.') && !extension.contains(u'/') &&
                                       path.endsWith(extension)));
    FUZZ_CHECK(!IsMediaFile(path) || IsMediaFile(extension));

    const QString output = outputPathFor(targetFolder, path);
    FUZZ_CHECK(output.startsWith(targetFolder + u'/'));
    FUZZ_CHECK(!output.sliced(targetFolder.size() + 1).contains(u'/'));
    FUZZ_CHECK(fileExtension(output) == extension);

    try {
        const QString unique = MakeUniqueFileName(output);
        FUZZ_CHECK(!fileExists(unique));
        FUZZ_CHECK(unique.startsWith(output.chopped(extension.size())) &&
                   unique.endsWith(extension));
    } catch (const AppError &) {
        FUZZ_CHECK(output.contains(QChar(0)));
    }
    return 0;
}
