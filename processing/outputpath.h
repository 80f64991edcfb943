#pragma once

#include <QString>

// The output path of an input in the target folder: target folder, "/", the input's file name
// (its name without extension followed by its extension).
QString outputPathFor(const QString &targetFolder, const QString &input);

// The path itself when nothing stands there; otherwise the first free "name (n).ext" for
// n = 2, 3, ... The name is reserved on disk (runningwork::reserve), so that two conversions,
// of this run or of two runs at once, never get one name. A folder of that name does not make
// it taken; the folder is answered, unreserved, and the conversion then fails. So is a name
// that cannot be created (a folder missing or not writable), for ffmpeg to complain about.
// Throws AppError("Invalid characters in path") for a path holding a zero character.
QString MakeUniqueFileName(const QString &path);
