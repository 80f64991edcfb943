#pragma once

#include "processing/silencecommand.h"

#include <QString>
#include <functional>

class LogSink;
namespace runningwork
{
class ChildGroup;
}

// What a conversion answers: "OK" or "Error", and for "Error" why, in one line.
struct ConversionOutcome {
    QString result;
    QString failure;

    bool succeeded() const { return result == QLatin1String("OK"); }
};

// Converts one file: logs the FFmpeg command, runs it in `workingFolder` and answers "OK" or
// "Error" from the output file. ".mkv" and ".wmv" inputs are only logged as skipped. A run
// that fails (a start that fails, an exit status other than 0, a signal) answers "Error" and
// removes what it left at `outfile`. An output that is the input file itself, however spelled,
// is not run and answers "Error". Never raises. `keepAlive` and `group` are those of
// RunConsoleCommand.
ConversionOutcome convertWithFFmpeg(const QString &infile, const QString &outfile,
                                    const SilenceSettings &settings, const QString &workingFolder,
                                    LogSink &log, const std::function<void()> &keepAlive = {},
                                    const runningwork::ChildGroup *group = nullptr);

// Runs the conversion's command for `infile` with FFmpeg's null output, so that nothing is
// written, and answers "OK" when it ran to the end; its console output (in `log`) tells the
// lengths. ".mkv" and ".wmv" inputs are skipped as by the conversion. Never raises.
ConversionOutcome previewWithFFmpeg(const QString &infile, const SilenceSettings &settings,
                                    const QString &workingFolder, LogSink &log,
                                    const runningwork::ChildGroup *group = nullptr);
