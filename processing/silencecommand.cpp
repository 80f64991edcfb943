#include "processing/silencecommand.h"

#include "base/fileextension.h"

QString thresholdText(int threshold)
{
    return QLatin1Char('-') + QString::number(threshold) + QLatin1String("dB");
}

QString durationText(int duration)
{
    // Whole numbers only, so no locale can change the decimal separator.
    return QString::number(duration / 10) + QLatin1Char('.') + QString::number(duration % 10);
}

QString silenceFilter(const SilenceSettings &settings)
{
    const QString threshold = thresholdText(settings.threshold);
    const QString duration = durationText(settings.duration);
    return QLatin1String("silenceremove=start_periods=1:start_threshold=") + threshold +
           QLatin1String(":start_duration=") + duration +
           QLatin1String(":stop_periods=-1:stop_threshold=") + threshold +
           QLatin1String(":stop_duration=") + duration;
}

QString silenceCommandText(const QString &infile, const QString &outfile,
                           const SilenceSettings &settings)
{
    return ffmpegProgram + QLatin1String(" -y -i \"") + infile + QLatin1String("\" -af ") +
           silenceFilter(settings) + QLatin1String(" \"") + outfile + QLatin1Char('"');
}

QStringList silenceCommandArguments(const QString &infile, const QString &outfile,
                                    const SilenceSettings &settings)
{
    // "-xerror": unless told to stop at the first error, ffmpeg 5 reports a failed write of
    // the output (a full disk, a file-size limit) and still ends with status 0, leaving the
    // output cut short. The price: an input with damaged frames now ends in an error too,
    // where ffmpeg would otherwise skip the frames it cannot decode.
    return {QStringLiteral("-xerror"),
            QStringLiteral("-y"),
            QStringLiteral("-i"),
            infile,
            QStringLiteral("-af"),
            silenceFilter(settings),
            outfile};
}

bool isSkippedVideo(const QString &infile)
{
    const QString extension = fileExtension(infile).toLower();
    return extension == QLatin1String(".mkv") || extension == QLatin1String(".wmv");
}
