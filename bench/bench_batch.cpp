// Runs "Remove Silence" over twenty short files and a shell loop running the same ffmpeg
// commands, alternately, and prints two ratios (target: at most 1.05): of the best wall-clock
// times, and of the processor time spent in all rounds (this process and its children for the
// batch, the shell and its children for the loop).
#include "app/appform.h"
#include "app/application.h"
#include "app/filelistmodel.h"
#include "processing/silencecommand.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace
{
constexpr int files = 20;
constexpr int rounds = 3;

struct Cost {
    double wall = 1e9;    // the best round
    double processor = 0; // all rounds
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

bool makeShortFile(const QString &path, int seconds)
{
    // Speech-like: 0.7 s of tone, then 0.5 s of silence.
    return QProcess::execute(QStringLiteral("ffmpeg"),
                             {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                              QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                              QStringLiteral("aevalsrc=0.5*sin(2*PI*440*t)*lt(mod(t\\,1.2)\\,0.7)"
                                             ":s=44100:d=%1")
                                  .arg(seconds),
                              path}) == 0;
}

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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
    qputenv("HUSHMILL_VENDOR_HOST", "127.0.0.1:9");
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
        if (!makeShortFile(input, 10 + i % 5)) {
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
            if (form.FileList->result(row) != QLatin1String("OK"))
                std::fprintf(stderr, "row %d: %s\n", row, qPrintable(form.FileList->result(row)));
    }
    std::printf("%d short files, %d rounds (target <= 1.05):\n"
                "  best wall time: shell loop %.2f s, Remove Silence %.2f s, ratio %.3f\n"
                "  processor time: shell loop %.2f s, Remove Silence %.2f s, ratio %.3f\n",
                files, rounds, shell.wall, batch.wall, batch.wall / shell.wall, shell.processor,
                batch.processor, batch.processor / shell.processor);
    return 0;
}
