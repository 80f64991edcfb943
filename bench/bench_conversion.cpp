// Converts a ten-minute file through the window's conversion and runs the same ffmpeg command
// directly, alternately, and prints the ratio of the best times (target: at most 1.02).
#include "app/appform.h"
#include "app/application.h"
#include "processing/silencecommand.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace
{
constexpr int rounds = 3;

bool makeTenMinutes(const QString &path)
{
    // Speech-like: 0.7 s of tone, then 0.5 s of silence, over and over.
    return QProcess::execute(
               QStringLiteral("ffmpeg"),
               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("aevalsrc=0.5*sin(2*PI*440*t)*lt(mod(t\\,1.2)\\,0.7)|"
                               "0.5*sin(2*PI*660*t)*lt(mod(t\\,1.2)\\,0.7):s=44100:d=600"),
                path}) == 0;
}

double secondsDirectly(const QStringList &arguments)
{
    QElapsedTimer clock;
    clock.start();
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(ffmpegProgram, arguments);
    ffmpeg.waitForFinished(-1);
    ffmpeg.readAll();
    return clock.nsecsElapsed() / 1e9;
}

double secondsThroughForm(TAppForm &form, const QString &in, const QString &out)
{
    QElapsedTimer clock;
    clock.start();
    const QString result = form.FFmpegIleDonustur(in, out);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (result != QLatin1String("OK"))
        std::fprintf(stderr, "conversion failed\n");
    return seconds;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
    qputenv("HUSHMILL_VENDOR_HOST", "127.0.0.1:9");
    Application app(argc, argv);

    QTemporaryDir work;
    const QString in = work.filePath(QStringLiteral("talk.mp3"));
    if (!makeTenMinutes(in)) {
        std::fprintf(stderr, "could not make the test audio\n");
        return 1;
    }
    TAppForm form;
    form.show();
    const QString out = work.filePath(QStringLiteral("out.mp3"));
    const QStringList arguments =
        silenceCommandArguments(in, out, {form.TrackBar1->value(), form.TrackBar2->value()});

    double direct = 1e9;
    double throughForm = 1e9;
    for (int round = 0; round < rounds; ++round) {
        direct = std::min(direct, secondsDirectly(arguments));
        QFile::remove(out);
        throughForm = std::min(throughForm, secondsThroughForm(form, in, out));
        QFile::remove(out);
    }
    std::printf("ten-minute mp3, best of %d: directly %.2f s, through FFmpegIleDonustur %.2f s, "
                "ratio %.3f (target <= 1.02)\n",
                rounds, direct, throughForm, throughForm / direct);
    return 0;
}
