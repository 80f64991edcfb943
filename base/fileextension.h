#pragma once

#include <QString>

// The extension of a path: from its last "." to the end, dot included, letter case unchanged,
// provided that dot stands in the last path component; empty otherwise.
QString fileExtension(const QString &path);
