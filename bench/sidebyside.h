#pragma once

// Measuring two ways of doing the same work side by side, round after round, and making the
// speech-like audio they work on.
#include <QElapsedTimer>
#include <QProcess>
#include <QString>

#include <algorithm>
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
