#pragma once

#include <QString>

// Whether a file stands at the path: anything but a folder counts.
bool fileExists(const QString &path);

// Creates the folder together with every missing parent. Answers whether the folder exists
// afterwards (it may have existed before). An empty name raises AppError "Unable to create
// directory".
bool createFolderWithParents(const QString &folder);
