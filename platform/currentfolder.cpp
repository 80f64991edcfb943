#include "platform/currentfolder.h"

#include <cerrno>
#include <unistd.h>

namespace platform
{

QByteArray currentFolder()
{
    QByteArray folder(256, '\0');
    while (!::getcwd(folder.data(), size_t(folder.size()))) {
        if (errno != ERANGE)
            return QByteArray();
        folder.resize(folder.size() * 2);
    }
    folder.truncate(qsizetype(qstrlen(folder.constData())));
    return folder;
}

} // namespace platform
