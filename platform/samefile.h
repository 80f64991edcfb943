#pragma once

#include <QString>

namespace platform
{

// Whether both paths name one and the same existing file, however each is spelled: through
// "." or "..", a symbolic link or a second hard link.
bool isSameFile(const QString &first, const QString &second);

} // namespace platform
