#pragma once

#include "platform/filekind.h"

#include <sys/types.h>

namespace platform
{

// The kind of file a stat() mode describes (never Nothing or NameTooLong).
FileKind kindOfMode(mode_t mode);

} // namespace platform
