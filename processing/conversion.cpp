#include "processing/conversion.h"

#include "platform/samefile.h"
#include "processing/consolerunner.h"
#include "processing/conversionresult.h"
#include "processing/logsink.h"
#include "processing/outputfile.h"

namespace
{
QString convert(const QString &infile, const QString &outfile, const SilenceSettings &settings,
                const QString &workingFolder, LogSink &log, const std::function<void()> &keepAlive)
{
    if (isSkippedVideo(infile)) {
        log.appendLine(QStringLiteral("Video file skipped"));
        return judgeOutputFile(outfile);
    }
    const FileStamp before(outfile);
    log.appendLine(silenceCommandText(infile, outfile, settings));
    // FFmpeg notices an output spelled exactly like its input; under any other spelling of the
    // same file it would empty the input while reading it.
    if (platform::isSameFile(infile, outfile)) {
        log.appendLine(QStringLiteral("Input and output are the same file: not converted"));
        return conversionError;
    }
    if (!RunConsoleCommand(ffmpegProgram, silenceCommandArguments(infile, outfile, settings),
                           workingFolder, log, keepAlive)) {
        before.removeIfWrittenSince();
        return conversionError;
    }
    return judgeOutputFile(outfile);
}
} // namespace

QString convertWithFFmpeg(const QString &infile, const QString &outfile,
                          const SilenceSettings &settings, const QString &workingFolder,
                          LogSink &log, const std::function<void()> &keepAlive)
{
    try {
        return convert(infile, outfile, settings, workingFolder, log, keepAlive);
    } catch (...) {
        return conversionError;
    }
}
