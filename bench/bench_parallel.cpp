// Runs eight two-minute files through "Remove Silence" with automatic conversions at once, with
// one at a time, and the same ffmpeg commands through `xargs -P<processors>`, round after round,
// and prints the ratios of the best wall-clock times (targets: one job ÷ automatic at least 1.8
// on two processors; automatic ÷ xargs at most 1.05) and of the processor time of all rounds.
#include "app/application.h"
#include "bench/batchbench.h"
#include "bench/sidebyside.h"
#include "processing/paralleljobs.h"

namespace
{
constexpr int files = 8;
constexpr int fileSeconds = 120;
constexpr int rounds = 3;
} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    prepareBenchWindow(home.path());
    Application app(argc, argv);

    BatchBenchWindow window;
    TAppForm &form = window.form;
    const QString &target = window.target;
    const int processors = paralleljobs::jobsToRun(0);

    const std::optional<BenchFiles> made = makeBenchFiles(
        window.work.path(), target, QList<int>(files, fileSeconds), window.settings());
    if (!made)
        return 1;
    // One shell command per file for xargs, each ended by a zero byte.
    QByteArray commands;
    for (const QString &command : made->shellCommands)
        commands += command.toLocal8Bit() + '\0';
    form.FileList->add(made->inputs);

    const auto runBatch = [&](int jobs) {
        form.Jobs = jobs;
        form.Button1Click();
        reportFailedRows(*form.FileList);
    };
    Cost xargs;
    Cost automatic;
    Cost oneJob;
    for (int round = 0; round < rounds; ++round) {
        clearFolder(target);
        measure(xargs, [&] {
            QProcess run;
            run.start(QStringLiteral("xargs"),
                      {QStringLiteral("-0"), QStringLiteral("-P"), QString::number(processors),
                       QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("sh"),
                       QStringLiteral("-c")});
            run.write(commands);
            run.closeWriteChannel();
            run.waitForFinished(-1);
        });
        clearFolder(target);
        measure(automatic, [&] { runBatch(0); });
        clearFolder(target);
        measure(oneJob, [&] { runBatch(1); });
    }
    std::printf("%d files of %d s, %d rounds, %d processors (automatic: %d at once):\n"
                "  best wall time: xargs -P%d %.2f s, automatic %.2f s, one job %.2f s\n"
                "  one job / automatic %.2f (target >= 1.8 on two processors)\n"
                "  automatic / xargs %.3f (target <= 1.05)\n"
                "  processor time: xargs %.2f s, automatic %.2f s, one job %.2f s\n",
                files, fileSeconds, rounds, processors, processors, processors, xargs.wall,
                automatic.wall, oneJob.wall, oneJob.wall / automatic.wall,
                automatic.wall / xargs.wall, xargs.processor, automatic.processor,
                oneJob.processor);
    return 0;
}
