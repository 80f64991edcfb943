// Runs "Remove Silence" over twenty short files and a shell loop running the same ffmpeg
// commands, alternately, and prints two ratios (target: at most 1.05): of the best wall-clock
// times, and of the processor time spent in all rounds (this process and its children for the
// batch, the shell and its children for the loop).
#include "app/appform.h"
#include "app/application.h"
#include "app/filelistmodel.h"
#include "bench/sidebyside.h"
#include "processing/conversionresult.h"
#include "processing/silencecommand.h"
#include "support/testaudio.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>

#include <cstdio>

namespace
{
constexpr int files = 20;
constexpr int rounds = 3;

QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

void clearFolder(const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}
} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    prepareBenchWindow(home.path());
    Application app(argc, argv);

    QTemporaryDir work;
    const QString target = work.filePath(QStringLiteral("out"));
    TAppForm form;
    form.show();
    form.Edit1->setText(target);
    const SilenceSettings settings{form.TrackBar1->value(), form.TrackBar2->value()};

    QStringList inputs;
    QString loop;
    for (int i = 0; i < files; ++i) {
        const QString input = work.filePath(QStringLiteral("talk%1.mp3").arg(i));
        if (!makeTestAudio(input, 2, {}, 10 + i % 5)) {
            std::fprintf(stderr, "could not make the test audio\n");
            return 1;
        }
        inputs << input;
        QStringList command{ffmpegProgram};
        const QString output = target + QStringLiteral("/talk%1.mp3").arg(i);
        for (const QString &argument : silenceCommandArguments(input, output, settings))
            command << shellQuoted(argument);
        loop += command.join(QLatin1Char(' ')) + QStringLiteral(" </dev/null >/dev/null 2>&1\n");
    }
    form.FileList->add(inputs);

    Cost shell;
    Cost batch;
    for (int round = 0; round < rounds; ++round) {
        clearFolder(target);
        measure(shell, [&] {
            QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), loop});
        });
        clearFolder(target);
        measure(batch, [&] { form.Button1Click(); });
        for (int row = 0; row < files; ++row)
            if (form.FileList->result(row) != conversionOK)
                std::fprintf(stderr, "row %d: %s\n", row, qPrintable(form.FileList->result(row)));
    }
    std::printf("%d short files, %d rounds (target <= 1.05):\n"
                "  best wall time: shell loop %.2f s, Remove Silence %.2f s, ratio %.3f\n"
                "  processor time: shell loop %.2f s, Remove Silence %.2f s, ratio %.3f\n",
                files, rounds, shell.wall, batch.wall, batch.wall / shell.wall, shell.processor,
                batch.processor, batch.processor / shell.processor);
    return 0;
}
