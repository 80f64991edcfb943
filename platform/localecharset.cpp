#include "platform/localecharset.h"

#include <langinfo.h>

namespace platform
{

QByteArray localeCharset()
{
    return QByteArray(nl_langinfo(CODESET));
}

} // namespace platform
