#pragma once

#include <QByteArray>

namespace platform
{

// The name of the character set of the user's locale (LC_CTYPE), as the C library reports it.
QByteArray localeCharset();

} // namespace platform
