// Reads the levels of a one-hour mp3 (made first, which takes a while, unless one is named as
// the argument) and decodes the same file
// with ffmpeg to its null output, alternately, and prints the ratio of the best wall-clock times
// (target: at most 1.3) and the resident memory of this process (target: well under 100 MB).
#include "bench/sidebyside.h"
#include "processing/levelsdecode.h"
#include "processing/silencecommand.h"
#include "support/testaudio.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace
{
constexpr int rounds = 3;

void decodeToNull(const QString &in)
{
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
    ffmpeg.start(ffmpegProgram,
                 {QStringLiteral("-nostdin"), QStringLiteral("-i"), in, QStringLiteral("-f"),
                  QStringLiteral("null"), QStringLiteral("-")});
    ffmpeg.waitForFinished(-1);
    ffmpeg.readAll();
}

// A line of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double statusMegabytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key)) + 1).trimmed().split(' ').first().toDouble() /
                   1024.0;
    return -1;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    // An mp3 given as the argument is used instead of a new one.
    QString in = app.arguments().value(1);
    if (in.isEmpty()) {
        in = work.filePath(QStringLiteral("hour.mp3"));
        std::printf("making a one-hour stereo mp3...\n");
        std::fflush(stdout);
        if (!makeTestAudio(in, 2, {}, 3600)) {
            std::fprintf(stderr, "could not make the test audio\n");
            return 1;
        }
    }
    const double residentBefore = statusMegabytes("VmRSS");

    Cost direct;
    Cost levels;
    qsizetype windows = 0;
    for (int round = 0; round < rounds; ++round) {
        measure(direct, [&] { decodeToNull(in); });
        measure(levels, [&] {
            const std::atomic<bool> cancel = false;
            const LevelsResult result = decodeLevels(in, work.path(), cancel);
            windows = result.loudness ? result.loudness->meanSquares.size() : 0;
        });
    }
    std::printf("one-hour mp3, %d rounds, %lld windows of levels (target <= 1.3):\n"
                "  best wall time: ffmpeg to the null output %.2f s, levels %.2f s, ratio %.3f\n"
                "  processor time: ffmpeg to the null output %.2f s, levels %.2f s, ratio %.3f\n"
                "resident memory of this process (target well under 100 MB): %.1f MB before, "
                "%.1f MB at its peak\n",
                rounds, static_cast<long long>(windows), direct.wall, levels.wall,
                levels.wall / direct.wall, direct.processor, levels.processor,
                levels.processor / direct.processor, residentBefore, statusMegabytes("VmHWM"));
    return 0;
}
