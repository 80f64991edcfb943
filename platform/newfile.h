#pragma once

#include <QString>

namespace platform
{

// Creates the file only if no file of that name exists yet, then closes and removes it again.
// Answers whether the creation succeeded; nothing is reported.
bool canCreateNewFile(const QString &path);

// Creates an empty file only if nothing of that name exists yet (a dangling link counts as
// something), and keeps it. Returns 0, or the error number: EEXIST when the name is taken.
int createNewFile(const QString &path);

} // namespace platform
