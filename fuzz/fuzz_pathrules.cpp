// The rules that turn a file name from outside (a folder listing, a drop, the command line) into
// a list entry and an output path: its extension, the media-type test, the output path in the
// target folder and the unique name there, which is reserved on disk. The target folder holds a
// few files and a folder whose names the seed inputs take; every reservation is given back, so
// the folder stays as it is from one input to the next.
#include "app/mediatypes.h"
#include "base/apperror.h"
#include "base/fileextension.h"
#include "fuzzinput.h"
#include "processing/outputpath.h"
#include "processing/runningwork.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace
{
QString makeTargetFolder(const QTemporaryDir &folder)
{
    for (const char *name : {"taken.mp3", "taken (2).mp3", "noext", ".mp3", "two.dots.wav"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write("sound") == 5);
    }
    FUZZ_CHECK(QDir(folder.path()).mkdir(QStringLiteral("folder.mp3")));
    return folder.path();
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// What MakeUniqueFileName answered: a folder (never reserved), a new empty file it reserved, or
// a name it could not create (left to ffmpeg). A reservation is given back the way a conversion
// that wrote nothing gives it back.
void checkReservation(const QString &unique, const QString &targetFolder,
                      const QStringList &namesBefore)
{
    const QFileInfo info(unique);
    if (info.isDir())
        return;
    if (!info.exists()) {
        FUZZ_CHECK(!namesBefore.contains(info.fileName()));
        return;
    }
    FUZZ_CHECK(info.isFile() && info.size() == 0);
    FUZZ_CHECK(info.absolutePath() == targetFolder);
    FUZZ_CHECK(!namesBefore.contains(info.fileName()));
    {
        const runningwork::UnfinishedOutput output(unique);
    }
    FUZZ_CHECK(!QFileInfo::exists(unique));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir folder;
    static const QString targetFolder = makeTargetFolder(folder);
    static const QStringList namesBefore = namesIn(targetFolder);
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
        FUZZ_CHECK(unique.startsWith(output.chopped(extension.size())) &&
                   unique.endsWith(extension));
        checkReservation(unique, targetFolder, namesBefore);
    } catch (const AppError &) {
        FUZZ_CHECK(output.contains(QChar(0)));
    }
    FUZZ_CHECK(namesIn(targetFolder) == namesBefore);
    return 0;
}
