#include "processing/silencecommand.h"

#include "base/fileextension.h"

QString thresholdText(int threshold)
{
    return QLatin1Char('-') + QString::number(threshold) + QLatin1String("dB");
}

QString fixedPointText(int value, int decimals)
{
    // Whole numbers only, so no locale can change the decimal separator.
    int scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    return QString::number(value / scale) + QLatin1Char('.') +
           QStringLiteral("%1").arg(value % scale, decimals, 10, QLatin1Char('0'));
}

QString durationText(int duration)
{
    return fixedPointText(duration, 1);
}

QString keepText(int keep)
{
    return fixedPointText(keep * keepStepHundredths, 2);
}

namespace
{
// Nothing at all when no silence is kept, so the filter stays as it always was.
QString keptSilence(int keep)
{
    if (keep == 0)
        return {};
    const QString seconds = keepText(keep);
    return QLatin1String(":start_silence=") + seconds + QLatin1String(":stop_silence=") + seconds;
}
} // namespace

QString silenceFilter(const SilenceSettings &settings)
{
    const QString threshold = thresholdText(settings.threshold);
    const QString duration = durationText(settings.duration);
    return QLatin1String("silenceremove=start_periods=1:start_threshold=") + threshold +
           QLatin1String(":start_duration=") + duration +
           QLatin1String(":stop_periods=-1:stop_threshold=") + threshold +
           QLatin1String(":stop_duration=") + duration + keptSilence(settings.keep);
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

namespace
{
const QString nullOutput = QStringLiteral("-f null -");
} // namespace

QString silencePreviewText(const QString &infile, const SilenceSettings &settings)
{
    QString text = silenceCommandText(infile, QString(), settings);
    text.chop(2); // the quotes of the output path
    return text + nullOutput;
}

QStringList silencePreviewArguments(const QString &infile, const SilenceSettings &settings)
{
    QStringList arguments = silenceCommandArguments(infile, QString(), settings);
    arguments.removeLast();
    return arguments + nullOutput.split(QLatin1Char(' '));
}

bool isSkippedVideo(const QString &infile)
{
    const QString extension = fileExtension(infile).toLower();
    return extension == QLatin1String(".mkv") || extension == QLatin1String(".wmv");
}
