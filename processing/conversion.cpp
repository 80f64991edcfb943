#include "processing/conversion.h"

#include "platform/samefile.h"
#include "processing/consolerunner.h"
#include "processing/conversionresult.h"
#include "processing/logsink.h"
#include "processing/outputfile.h"
#include "processing/runningwork.h"

namespace
{

// The verdict of the output file, with the reason for an "Error".
ConversionOutcome judged(const QString &outfile, const QString &failure)
{
    const QString verdict = judgeOutputFile(outfile);
    return {verdict, verdict == conversionOK ? QString() : failure};
}

ConversionOutcome convert(const QString &infile, const QString &outfile,
                          const SilenceSettings &settings, const QString &workingFolder,
                          LogSink &log, const std::function<void()> &keepAlive,
                          const runningwork::ChildGroup *group)
{
    runningwork::UnfinishedOutput output(outfile);
    if (isSkippedVideo(infile)) {
        log.appendLine(videoSkippedText);
        output.keep();
        return judged(outfile, videoSkippedText);
    }
    log.appendLine(silenceCommandText(infile, outfile, settings));
    // FFmpeg notices an output spelled exactly like its input; under any other spelling of the
    // same file it would empty the input while reading it.
    if (platform::isSameFile(infile, outfile)) {
        const QString refused = QStringLiteral("Input and output are the same file: not converted");
        log.appendLine(refused);
        output.keep();
        return {conversionError, refused};
    }
    // A run that fails, or is ended, leaves its output unfinished: it goes with `output`.
    const ConsoleRun run =
        RunConsoleCommand(ffmpegProgram, silenceCommandArguments(infile, outfile, settings),
                          workingFolder, log, keepAlive, group);
    if (!run.succeeded)
        return {conversionError, run.failure};
    const ConversionOutcome outcome =
        judged(outfile, ffmpegProgram + QStringLiteral(" wrote no output"));
    if (outcome.succeeded())
        output.keep();
    return outcome;
}
ConversionOutcome preview(const QString &infile, const SilenceSettings &settings,
                          const QString &workingFolder, LogSink &log,
                          const runningwork::ChildGroup *group)
{
    if (isSkippedVideo(infile)) {
        log.appendLine(videoSkippedText);
        return {conversionError, videoSkippedText};
    }
    log.appendLine(silencePreviewText(infile, settings));
    const ConsoleRun run = RunConsoleCommand(
        ffmpegProgram, silencePreviewArguments(infile, settings), workingFolder, log, {}, group);
    if (!run.succeeded)
        return {conversionError, run.failure};
    return {conversionOK, QString()};
}

// Whatever a conversion or preview raises answers "Error" with its reason.
template <typename Run> ConversionOutcome withoutRaising(Run run)
{
    try {
        return run();
    } catch (const std::exception &error) {
        return {conversionError, QString::fromUtf8(error.what())};
    } catch (...) {
        return {conversionError, QStringLiteral("Unexpected error")};
    }
}
} // namespace

ConversionOutcome convertWithFFmpeg(const QString &infile, const QString &outfile,
                                    const SilenceSettings &settings, const QString &workingFolder,
                                    LogSink &log, const std::function<void()> &keepAlive,
                                    const runningwork::ChildGroup *group)
{
    return withoutRaising(
        [&] { return convert(infile, outfile, settings, workingFolder, log, keepAlive, group); });
}

ConversionOutcome previewWithFFmpeg(const QString &infile, const SilenceSettings &settings,
                                    const QString &workingFolder, LogSink &log,
                                    const runningwork::ChildGroup *group)
{
    return withoutRaising([&] { return preview(infile, settings, workingFolder, log, group); });
}
