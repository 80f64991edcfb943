// Appends console output to the window's log memo in 255-byte chunks, 5 MB and 50 MB, and
// prints the time ratio: appending grows with what is appended, so it should be near 10.
#include "processing/memolog.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <cstdio>
#include <ctime>

namespace
{
// Lines like the ones FFmpeg prints, cut into chunks of 255 characters.
QStringList chunksOfOutput()
{
    QString text;
    for (int line = 0; text.size() < 255 * 64; ++line)
        text += QStringLiteral("  Stream #0:0: Audio: mp3, 44100 Hz, stereo, fltp, 128 kb/s "
                               "size=%1kB time=00:00:%2.00\n")
                    .arg(line * 7)
                    .arg(line % 60);
    QStringList chunks;
    for (qsizetype at = 0; at + 255 <= text.size(); at += 255)
        chunks << text.mid(at, 255);
    return chunks;
}

double secondsToAppend(qint64 bytes, const QStringList &chunks)
{
    QPlainTextEdit memo;
    memo.setLineWrapMode(QPlainTextEdit::NoWrap);
    memo.setReadOnly(true);
    MemoLog log(&memo);
    // Processor time, so that other work on the machine does not blur the ratio.
    const std::clock_t start = std::clock();
    for (qint64 appended = 0, i = 0; appended < bytes; appended += 255, ++i)
        log.appendText(chunks[i % chunks.size()]);
    return double(std::clock() - start) / CLOCKS_PER_SEC;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList chunks = chunksOfOutput();
    secondsToAppend(1'000'000, chunks); // warm up
    const double small = secondsToAppend(5'000'000, chunks);
    const double large = secondsToAppend(50'000'000, chunks);
    std::printf("log memo, 255-byte chunks: 5 MB %.2f s, 50 MB %.2f s, ratio %.1f "
                "(linear: 10, whole-text rewrite: 100)\n",
                small, large, large / small);
    return 0;
}
