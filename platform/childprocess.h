#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace platform
{

// How a child process ended.
struct ExitStatus {
    bool exited = false; // ended by itself (false: ended by a signal)
    int code = 0;        // exit code when it ended by itself

    bool succeeded() const { return exited && code == 0; }
};

// A child process whose standard output and (unless discarded) standard error flow into one
// pipe that only this process reads. Its standard input is /dev/null, and it inherits no other descriptor of ours.
// The child is killed when the thread that started it ends (and so when this process ends, however
// it ends), so that it never runs on as an orphan. The destructor closes the pipe, and ends and
// reaps a child that was started and not yet waited for.
class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Where the child's standard error goes: into the pipe with its standard output, or to
    // /dev/null, for a child whose standard output is data rather than messages.
    enum class ErrorOutput { Merged, Discarded };

    // Starts the program at `programPath` with `arguments` (the name it is given as its first
    // argument is `programPath`) in `workingFolder`. Returns 0, or the error number when the
    // pipe could not be made or the program could not be started.
    int start(const QString &programPath, const QStringList &arguments,
              const QString &workingFolder, ErrorOutput errors = ErrorOutput::Merged);

    // Reads at most `size` bytes of output, waiting at most `timeoutMs` (-1: no limit). Returns
    // the number of bytes read, 0 at the end of the output or when reading fails, and -1 when
    // nothing arrived in time.
    qsizetype read(char *buffer, qsizetype size, int timeoutMs);

    // Waits for the child to end, at most `timeoutMs` (-1: no limit); nothing when it is still
    // running then.
    std::optional<ExitStatus> wait(int timeoutMs);

    // Asks the child and whatever it started (its process group) to end (SIGTERM), without
    // waiting. Safe to call from any thread while the owner reads or waits.
    void terminate() const;

    // Waits, at most `timeoutMs`, until the child has ended, without reaping it; true when it
    // has. Safe to call from any thread while the owner reads or waits.
    bool waitForEnd(int timeoutMs) const;

    // Kills the child and whatever it started (its process group) and waits, a few seconds at
    // most, until the child has ended, without reaping it: wait() still reports how it ended.
    // Safe to call from any thread while the owner reads or waits; nothing happens when the
    // child has ended already.
    void end() const;

private:
    void closeOutput();
    // Sends `signal` to the child's process group and to the child; true when the child could
    // be signalled through its descriptor, and so can be waited for.
    bool signalGroup(int signal) const;

    int m_output = -1;
    int m_pid = -1;        // until reaped
    int m_startedPid = -1; // never changes once started, for end()
    int m_pidfd = -1;      // names the child until the destructor, for end()
};

} // namespace platform
