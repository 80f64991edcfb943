// Runs "Remove Silence" with one conversion at a time over twenty short files and a shell loop
// running the same ffmpeg commands, alternately, and prints two ratios (target: at most 1.05):
// of the best wall-clock times, and of the processor time spent in all rounds (this process and
// its children for the batch, the shell and its children for the loop).
#include "app/application.h"
#include "bench/batchbench.h"
#include "bench/sidebyside.h"

namespace
{
constexpr int files = 20;
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
    form.Jobs = 1; // the shell loop, too, runs one command after the other

    QList<int> seconds;
    for (int i = 0; i < files; ++i)
        seconds << 10 + i % 5;
    const std::optional<BenchFiles> made =
        makeBenchFiles(window.work.path(), target, seconds, window.settings());
    if (!made)
        return 1;
    const QString loop = made->shellCommands.join(QLatin1Char('\n'));
    form.FileList->add(made->inputs);

    Cost shell;
    Cost batch;
    for (int round = 0; round < rounds; ++round) {
        clearFolder(target);
        measure(shell, [&] {
            QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), loop});
        });
        clearFolder(target);
        measure(batch, [&] { form.Button1Click(); });
        reportFailedRows(*form.FileList);
    }
    std::printf("%d short files, %d rounds (target <= 1.05):\n"
                "  best wall time: shell loop %.2f s, Remove Silence %.2f s, ratio %.3f\n"
                "  processor time: shell loop %.2f s, Remove Silence %.2f s, ratio %.3f\n",
                files, rounds, shell.wall, batch.wall, batch.wall / shell.wall, shell.processor,
                batch.processor, batch.processor / shell.processor);
    return 0;
}
