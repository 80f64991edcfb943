#pragma once

#include <QString>

// The output path of an input in the target folder: target folder, "/", the input's file name
// (its name without extension followed by its extension).
QString outputPathFor(const QString &targetFolder, const QString &input);

// The path itself when no file stands there; otherwise the first free "name (n).ext" for
// n = 2, 3, ... Only files count as taken: a folder of that name does not.
// Throws AppError("Invalid characters in path") for a path holding a zero character.
QString MakeUniqueFileName(const QString &path);
