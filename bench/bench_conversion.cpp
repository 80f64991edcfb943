// Converts a ten-minute file through the window's conversion and runs the same ffmpeg command
// directly, alternately, and prints two ratios (target: at most 1.02): of the best wall-clock
// times, and of the processor time that this process and ffmpeg spent in all rounds. Other
// work on a shared machine blurs the first; the second shows what the conversion itself costs.
#include "app/appform.h"
#include "app/application.h"
#include "processing/silencecommand.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace
{
constexpr int rounds = 5;

struct Cost {
    double wall = 1e9;    // the best round
    double processor = 0; // all rounds, this process and its children
};

double processorSeconds()
{
    double seconds = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        seconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    return seconds;
}

template <typename Run> void measure(Cost &cost, Run run)
{
    const double processorBefore = processorSeconds();
    QElapsedTimer clock;
    clock.start();
    run();
    cost.wall = std::min(cost.wall, double(clock.nsecsElapsed()) / 1e9);
    cost.processor += processorSeconds() - processorBefore;
}

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

void runDirectly(const QStringList &arguments)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(ffmpegProgram, arguments);
    ffmpeg.waitForFinished(-1);
    ffmpeg.readAll();
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

    Cost direct;
    Cost throughForm;
    for (int round = 0; round < rounds; ++round) {
        measure(direct, [&] { runDirectly(arguments); });
        QFile::remove(out);
        measure(throughForm, [&] {
            if (form.FFmpegIleDonustur(in, out) != QLatin1String("OK"))
                std::fprintf(stderr, "conversion failed\n");
        });
        QFile::remove(out);
    }
    std::printf("ten-minute mp3, %d rounds (target <= 1.02):\n"
                "  best wall time: directly %.2f s, through FFmpegIleDonustur %.2f s, ratio %.3f\n"
                "  processor time: directly %.2f s, through FFmpegIleDonustur %.2f s, ratio %.3f\n",
                rounds, direct.wall, throughForm.wall, throughForm.wall / direct.wall,
                direct.processor, throughForm.processor, throughForm.processor / direct.processor);
    return 0;
}
