#include "platform/threadname.h"

#include <pthread.h>

namespace platform
{

void nameCurrentThread(const char *name)
{
    char shortName[16] = {};
    for (int i = 0; i < 15 && name[i] != '\0'; ++i)
        shortName[i] = name[i];
    pthread_setname_np(pthread_self(), shortName);
}

} // namespace platform
