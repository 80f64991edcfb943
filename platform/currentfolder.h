#pragma once

#include <QByteArray>

namespace platform
{

// The current folder, as the system holds it (its name may not be text); empty when it cannot
// be told.
QByteArray currentFolder();

} // namespace platform
