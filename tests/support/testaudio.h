#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Audio made by the real ffmpeg from an expression of the time t per channel (channels
// separated by "|", each comma escaped with a backslash), 44.1 kHz, for `seconds`. `extra` adds
// output options (a video track, a codec).
inline bool makeAudioFromExpression(const QString &path, const QString &expression, double seconds,
                                    const QStringList &extra = {})
{
    QStringList arguments{QStringLiteral("-v"),
                          QStringLiteral("error"),
                          QStringLiteral("-y"),
                          QStringLiteral("-f"),
                          QStringLiteral("lavfi"),
                          QStringLiteral("-i"),
                          QStringLiteral("aevalsrc=%1:s=44100:d=%2")
                              .arg(expression, QString::number(seconds, 'g', 10))};
    arguments << extra << path;
    return QProcess::execute(QStringLiteral("ffmpeg"), arguments) == 0;
}

// Speech-like test audio made by the real ffmpeg: tone bursts of 0.5 s, each followed by 0.5 s
// of silence, for `seconds`. `extra` adds output options (a video track, a codec).
inline bool makeTestAudio(const QString &path, int channels, const QStringList &extra = {},
                          int seconds = 6)
{
    const QString burst = QStringLiteral("0.5*sin(2*PI*%1*t)*lt(mod(t\\,1)\\,0.5)");
    QString expression = burst.arg(440);
    if (channels == 2)
        expression += QLatin1Char('|') + burst.arg(660);
    return makeAudioFromExpression(path, expression, seconds, extra);
}

// The length of the first audio track in seconds, or -1 when it cannot be read.
inline double audioSeconds(const QString &path)
{
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-select_streams"),
                 QStringLiteral("a:0"), QStringLiteral("-show_entries"),
                 QStringLiteral("stream=duration:format=duration"), QStringLiteral("-of"),
                 QStringLiteral("default=noprint_wrappers=1:nokey=1"), path});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return -1;
    // The track's own length when the container records one, else the container's.
    for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
        bool ok = false;
        const double seconds = line.toDouble(&ok);
        if (ok)
            return seconds;
    }
    return -1;
}
