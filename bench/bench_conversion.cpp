// Converts a ten-minute file through the window's conversion and runs the same ffmpeg command
// directly, alternately, and prints two ratios (target: at most 1.02): of the best wall-clock
// times, and of the processor time that this process and ffmpeg spent in all rounds. Other
// work on a shared machine blurs the first; the second shows what the conversion itself costs.
#include "app/appform.h"
#include "app/application.h"
#include "bench/sidebyside.h"
#include "processing/conversionresult.h"
#include "processing/silencecommand.h"
#include "support/testaudio.h"

#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace
{
constexpr int rounds = 5;

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
    QTemporaryDir home;
    prepareBenchWindow(home.path());
    Application app(argc, argv);

    QTemporaryDir work;
    const QString in = work.filePath(QStringLiteral("talk.mp3"));
    if (!makeTestAudio(in, 2, {}, 600)) {
        std::fprintf(stderr, "could not make the test audio\n");
        return 1;
    }
    TAppForm form;
    form.show();
    const QString out = work.filePath(QStringLiteral("out.mp3"));
    const QStringList arguments = silenceCommandArguments(in, out, form.silenceSettings());

    Cost direct;
    Cost throughForm;
    for (int round = 0; round < rounds; ++round) {
        measure(direct, [&] { runDirectly(arguments); });
        QFile::remove(out);
        measure(throughForm, [&] {
            if (!form.FFmpegIleDonustur(in, out).succeeded())
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
