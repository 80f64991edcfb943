#include "webservice/backgroundwork.h"

#include "platform/threadname.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

namespace
{

struct Jobs {
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;
    std::atomic<bool> ending{false};
};

// Made once and never freed: a job that outlives the wait of endBackgroundWork may still
// report its end while the process tears its static objects down.
Jobs &jobs()
{
    static Jobs *const instance = new Jobs;
    return *instance;
}

void reportEnd()
{
    Jobs &all = jobs();
    const std::lock_guard lock(all.mutex);
    --all.running;
    all.finished.notify_all();
}

} // namespace

bool startBackgroundWork(const char *threadName, std::function<void()> job)
{
    Jobs &all = jobs();
    {
        const std::lock_guard lock(all.mutex);
        if (all.ending.load())
            return false;
        ++all.running;
    }
    try {
        std::thread([name = std::string(threadName), job = std::move(job)]() mutable {
            platform::nameCurrentThread(name.c_str());
            job();
            job = nullptr; // frees what the job owns before its end is reported
            reportEnd();
        }).detach();
    } catch (const std::system_error &) {
        reportEnd();
        return false;
    }
    return true;
}

bool backgroundWorkEnding()
{
    return jobs().ending.load();
}

bool endBackgroundWork(int waitLimitMs)
{
    Jobs &all = jobs();
    std::unique_lock lock(all.mutex);
    all.ending.store(true);
    return all.finished.wait_for(lock, std::chrono::milliseconds(waitLimitMs),
                                 [&all] { return all.running == 0; });
}
