#include "platform/terminationsignals.h"

#include <csignal>
#include <thread>
#include <unistd.h>

namespace platform
{

namespace
{
sigset_t terminationSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGHUP);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}
} // namespace

void endOnTerminationSignals(std::function<void()> beforeExit)
{
    const sigset_t signals = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, beforeExit = std::move(beforeExit)] {
        int signal = 0;
        while (sigwait(&signals, &signal) != 0) {
        }
        beforeExit();
        // Whatever the other threads are doing: no destructors, no further output.
        _exit(128 + signal);
    }).detach();
}

} // namespace platform
