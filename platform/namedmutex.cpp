#include "platform/namedmutex.h"

#include <fcntl.h>
#include <semaphore.h>

namespace platform
{

void holdNamedMutex(const QString &name)
{
    // A named semaphore stands in for the mutex; the handle stays open for the process's life.
    const QByteArray semaphoreName = '/' + name.toUtf8();
    sem_open(semaphoreName.constData(), O_CREAT, 0600, 1);
}

} // namespace platform
