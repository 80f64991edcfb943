#pragma once

#include <QString>

namespace platform
{

// The user's Desktop folder.
QString desktopFolder();

// The user's configuration folder (XDG config home, usually ~/.config).
QString userConfigFolder();

} // namespace platform
