#pragma once

#include "processing/loudness.h"
#include "processing/silencecommand.h"

#include <QList>

// A run of windows [first, end) of a Loudness.
struct WindowStretch {
    qsizetype first = 0;
    qsizetype end = 0;
};

// The stretches the conversion's filter removes with these settings, in window order. The
// filter drops silence at the start until sound lasts the duration; from then on a silence that
// lasts the duration is dropped, together with any sound shorter than the duration that follows
// it, and the sound that lasts the duration again is kept. Kept silence stays before each kept
// sound and, at most the duration long, after it; with silence kept, shorter pauses add up
// until they reach the duration (see keptWindows). A window is silent when its level is not
// above the threshold.
QList<WindowStretch> removedStretches(const Loudness &loudness, const SilenceSettings &settings);

// The seconds those stretches cover.
double removedSeconds(const Loudness &loudness, const QList<WindowStretch> &removed);
