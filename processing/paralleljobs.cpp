#include "processing/paralleljobs.h"

#include <QThread>

#include <algorithm>

namespace paralleljobs
{

namespace
{
constexpr int mostJobs = 64;
}

int settingFromStored(int stored)
{
    return stored >= 1 && stored <= mostJobs ? stored : 0;
}

int jobsToRun(int setting)
{
    // Qt counts the processors of this process's affinity mask, not those of the machine.
    return setting > 0 ? setting : std::max(1, QThread::idealThreadCount());
}

} // namespace paralleljobs
