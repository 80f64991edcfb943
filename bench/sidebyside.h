#pragma once

// Measuring two ways of doing the same work side by side, round after round.
#include <QElapsedTimer>
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
