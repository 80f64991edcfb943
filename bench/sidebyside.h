#pragma once

// Measuring two ways of doing the same work side by side, round after round, and making the
// speech-like audio they work on.
#include "app/appform.h"
#include "app/filelistmodel.h"
#include "processing/silencecommand.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSlider>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/resource.h>

struct Cost {
    double wall = 1e9;    // the best round
    double processor = 0; // all rounds, this process and its children
};

inline double processorSeconds()
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

// Stereo tone of 0.7 s, then 0.5 s of silence, over and over, for `seconds`.
inline bool makeSpeechLikeAudio(const QString &path, int seconds)
{
    return QProcess::execute(
               QStringLiteral("ffmpeg"),
               {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y"),
                QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                QStringLiteral("aevalsrc=0.5*sin(2*PI*440*t)*lt(mod(t\\,1.2)\\,0.7)|"
                               "0.5*sin(2*PI*660*t)*lt(mod(t\\,1.2)\\,0.7):s=44100:d=%1")
                    .arg(seconds),
                path}) == 0;
}

// A benchmark's window runs offscreen unless told otherwise, with its settings in `home`
// rather than the user's, and never reaches the vendor's service.
inline void prepareBenchWindow(const QString &home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/.config")).toLocal8Bit());
    qputenv("HUSHMILL_VENDOR_HOST", "127.0.0.1:9");
}

// A text that a shell reads back as exactly `text`.
inline QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

inline void clearFolder(const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
}

// Says which rows of a run did not end "OK", so that a ratio over failed runs is not believed.
inline void reportFailedRows(const FileListModel &rows)
{
    for (int row = 0; row < rows.rowCount(); ++row)
        if (rows.result(row) != QLatin1String("OK"))
            std::fprintf(stderr, "row %d: %s\n", row, qPrintable(rows.result(row)));
}

// Inputs for a batch benchmark: speech-like files talk0.mp3, talk1.mp3, ... in `folder`, one of
// each length in `seconds`, and for each the ffmpeg command that "Remove Silence" runs for it
// into `target`, as a shell would run it, its output silenced.
struct BenchFiles {
    QStringList inputs;
    QStringList shellCommands;
};
inline std::optional<BenchFiles> makeBenchFiles(const QString &folder, const QString &target,
                                                const QList<int> &seconds,
                                                const SilenceSettings &settings)
{
    BenchFiles made;
    for (qsizetype i = 0; i < seconds.size(); ++i) {
        const QString name = QStringLiteral("talk%1.mp3").arg(i);
        const QString input = folder + QLatin1Char('/') + name;
        if (!makeSpeechLikeAudio(input, seconds[i])) {
            std::fprintf(stderr, "could not make the test audio\n");
            return std::nullopt;
        }
        made.inputs << input;
        QStringList command{ffmpegProgram};
        for (const QString &argument :
             silenceCommandArguments(input, target + QLatin1Char('/') + name, settings))
            command << shellQuoted(argument);
        made.shellCommands << command.join(QLatin1Char(' ')) +
                                  QStringLiteral(" </dev/null >/dev/null 2>&1");
    }
    return made;
}

// The window of a batch benchmark, shown, its target folder "out" in a temporary work folder.
// Made after the application object.
struct BatchBenchWindow {
    BatchBenchWindow() : target(work.filePath(QStringLiteral("out")))
    {
        form.show();
        form.Edit1->setText(target);
    }
    SilenceSettings settings() const { return {form.TrackBar1->value(), form.TrackBar2->value()}; }

    QTemporaryDir work;
    const QString target;
    TAppForm form;
};
