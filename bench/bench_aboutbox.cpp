// Processor time of the About box's falling characters: ten seconds of the box with its effect
// running against ten seconds of the same box idle, in one run. The difference is printed as a
// share of one core; it should stay under 5 %.
#include "about/aboutbox.h"
#include "bench/sidebyside.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace
{
constexpr int MeasuredMilliseconds = 10'000;

// Processor seconds this process spends while its event loop runs for `milliseconds`.
double processorSecondsOfEventLoop(int milliseconds)
{
    const double before = processorSeconds();
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    return processorSeconds() - before;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TAboutBox box(QStringLiteral("Hushmill"), QStringLiteral("1.2"));
    box.show();
    processorSecondsOfEventLoop(1000); // shown, painted, glyphs drawn once

    box.tmTimer->stop();
    const double idle = processorSecondsOfEventLoop(MeasuredMilliseconds);
    const int firstTick = box.Matrix.MatrixFrame();
    box.tmTimer->start();
    const double effect = processorSecondsOfEventLoop(MeasuredMilliseconds);
    const int ticks = box.Matrix.MatrixFrame() - firstTick;

    const double share = 100.0 * (effect - idle) / (MeasuredMilliseconds / 1000.0);
    std::printf("About box (%s), %d drops, 10 s each: idle %.3f s, falling characters %.3f s "
                "(%d ticks) of processor time; the effect costs %.2f %% of one core (limit 5 %%)\n",
                qPrintable(QGuiApplication::platformName()), int(box.Matrix.MatrixDrops().size()),
                idle, effect, ticks, share);
    return share < 5.0 ? 0 : 1;
}
