#pragma once

#include <QString>

namespace platform
{

// Creates the file only if no file of that name exists yet, then closes and removes it again.
// Answers whether the creation succeeded; nothing is reported.
bool canCreateNewFile(const QString &path);

} // namespace platform
