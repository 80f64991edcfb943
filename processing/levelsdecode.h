#pragma once

#include "processing/loudness.h"

#include <QString>
#include <atomic>
#include <optional>

// What reading a file's levels gave: the loudness, or a line for the user saying why there is
// none.
struct LevelsResult {
    std::optional<Loudness> loudness;
    QString error;
};

// The text shown for a file whose sound cannot be read.
inline const QString levelsUnreadable = QStringLiteral("The sound of this file cannot be read.");

// Decodes the first audio track of `path` with ffmpeg (found as the conversion finds it, from
// `workingFolder`) into 32-bit float samples read over a pipe, and measures them as they arrive,
// so memory stays small whatever the file's length. `cancel` set from another thread ends the
// decode early; the answer then has neither loudness nor error.
LevelsResult decodeLevels(const QString &path, const QString &workingFolder,
                          const std::atomic<bool> &cancel);
