#include "processing/conversion.h"

#include "platform/samefile.h"
#include "processing/consolerunner.h"
#include "processing/logsink.h"
#include "processing/outputfile.h"
#include "processing/runningwork.h"

namespace
{
QString convert(const QString &infile, const QString &outfile, const SilenceSettings &settings,
                const QString &workingFolder, LogSink &log, const std::function<void()> &keepAlive)
{
    runningwork::UnfinishedOutput output(outfile);
    if (isSkippedVideo(infile)) {
        log.appendLine(QStringLiteral("Video file skipped"));
        output.keep();
        return judgeOutputFile(outfile);
    }
    log.appendLine(silenceCommandText(infile, outfile, settings));
    // FFmpeg notices an output spelled exactly like its input; under any other spelling of the
    // same file it would empty the input while reading it.
    if (platform::isSameFile(infile, outfile)) {
        log.appendLine(QStringLiteral("Input and output are the same file: not converted"));
        output.keep();
        return QStringLiteral("Error");
    }
    // A run that fails, or is ended, leaves its output unfinished: it goes with `output`.
    if (!RunConsoleCommand(ffmpegProgram, silenceCommandArguments(infile, outfile, settings),
                           workingFolder, log, keepAlive))
        return QStringLiteral("Error");
    const QString verdict = judgeOutputFile(outfile);
    if (verdict == QLatin1String("OK"))
        output.keep();
    return verdict;
}
} // namespace

QString convertWithFFmpeg(const QString &infile, const QString &outfile,
                          const SilenceSettings &settings, const QString &workingFolder,
                          LogSink &log, const std::function<void()> &keepAlive)
{
    try {
        return convert(infile, outfile, settings, workingFolder, log, keepAlive);
    } catch (...) {
        return QStringLiteral("Error");
    }
}
