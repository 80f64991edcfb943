#include "processing/silenceshading.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
// Windows in `seconds`, to the nearest whole window.
qsizetype windowsIn(double seconds, const Loudness &loudness)
{
    const double window = loudness.windowSeconds();
    return window > 0.0 ? qsizetype(std::lround(seconds / window)) : 0;
}

void keep(std::vector<bool> &kept, qsizetype first, qsizetype end)
{
    std::fill(kept.begin() + first, kept.begin() + end, true);
}

// Which windows the filter keeps: it trims until sound lasts the duration, then copies until
// silence lasts the duration, and trims again. While it copies with silence kept after sounds,
// it does not start counting afresh when sound returns: short pauses add up, and once they reach
// the duration all of them go but the last of the kept silence; pauses still held at the end of
// the file stay.
std::vector<bool> keptWindows(const Loudness &loudness, const SilenceSettings &settings)
{
    const qsizetype count = loudness.meanSquares.size();
    const float limit = float(meanSquareAt(-double(settings.threshold)));
    const qsizetype duration = windowsIn(settings.duration / 10.0, loudness);
    const qsizetype needed = std::max<qsizetype>(duration, 1);
    const qsizetype keepWindows = windowsIn(settings.keep * keepStepHundredths / 100.0, loudness);
    const bool pausesAddUp = settings.keep > 0;
    // The filter keeps at most the duration of silence after a sound.
    const qsizetype keepAfter = std::min(keepWindows, duration);

    std::vector<bool> kept(size_t(count), false);
    bool copying = false;
    qsizetype trimStart = 0;     // where the current trimming began
    qsizetype sound = 0;         // sound in a row while trimming
    std::vector<qsizetype> held; // silent windows held while copying
    for (qsizetype i = 0; i < count; ++i) {
        const bool silent = !(loudness.meanSquares[i] > limit);
        if (!copying) {
            if (silent) {
                sound = 0;
            } else if (++sound >= needed) {
                keep(kept, std::max(trimStart, i + 1 - sound - keepWindows), i + 1);
                copying = true;
                sound = 0;
            }
        } else if (!silent) {
            kept[size_t(i)] = true;
            if (!pausesAddUp) {
                for (const qsizetype pause : held) // a silence shorter than the duration stays
                    kept[size_t(pause)] = true;
                held.clear();
            }
        } else {
            held.push_back(i);
            if (qsizetype(held.size()) >= needed) {
                for (auto pause = held.end() - keepAfter; pause != held.end(); ++pause)
                    kept[size_t(*pause)] = true;
                held.clear();
                copying = false;
                trimStart = i + 1;
            }
        }
    }
    for (const qsizetype pause : held) // silence held at the end of the file
        kept[size_t(pause)] = true;
    return kept;
}
} // namespace

QList<WindowStretch> removedStretches(const Loudness &loudness, const SilenceSettings &settings)
{
    const std::vector<bool> kept = keptWindows(loudness, settings);
    QList<WindowStretch> removed;
    for (qsizetype i = 0; i < qsizetype(kept.size());) {
        if (kept[size_t(i)]) {
            ++i;
            continue;
        }
        const qsizetype first = i;
        while (i < qsizetype(kept.size()) && !kept[size_t(i)])
            ++i;
        removed.append({first, i});
    }
    return removed;
}

double removedSeconds(const Loudness &loudness, const QList<WindowStretch> &removed)
{
    if (loudness.sampleRate <= 0)
        return 0.0;
    const qsizetype count = loudness.meanSquares.size();
    qint64 frames = 0;
    for (const WindowStretch &stretch : removed) {
        frames += qint64(stretch.end - stretch.first) * loudness.windowFrames;
        // The last window may be shorter than the others.
        if (stretch.end == count)
            frames -= qint64(count) * loudness.windowFrames - loudness.frames;
    }
    return double(frames) / loudness.sampleRate;
}
