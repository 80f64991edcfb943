#include "platform/childprocess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace platform
{

namespace
{
// How long end() waits for a killed child to be gone: only a child stuck in the kernel (a hung
// network file system) takes longer, and the program must not hang with it.
constexpr int endingTimeoutMs = 5000;

// Process descriptors, called directly: older C libraries lack the wrappers (Linux 5.3 and up).
int openProcessDescriptor(pid_t pid)
{
    return int(::syscall(SYS_pidfd_open, pid, 0));
}

int signalThroughDescriptor(int pidfd, int signal)
{
    return int(::syscall(SYS_pidfd_send_signal, pidfd, signal, nullptr, 0));
}

void closeDescriptor(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

ExitStatus exitStatus(int status)
{
    ExitStatus result;
    result.exited = WIFEXITED(status);
    result.code = result.exited ? WEXITSTATUS(status) : 0;
    return result;
}

void sleepMs(int ms)
{
    const timespec pause{0, ms * 1000000L};
    nanosleep(&pause, nullptr);
}

// Blocks every signal in the calling thread for its lifetime, so that no handler of ours runs in
// a freshly forked child before the child has reset them.
class AllSignalsBlocked
{
public:
    AllSignalsBlocked()
    {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_SETMASK, &all, &m_previous);
    }
    ~AllSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    AllSignalsBlocked(const AllSignalsBlocked &) = delete;
    AllSignalsBlocked &operator=(const AllSignalsBlocked &) = delete;

private:
    sigset_t m_previous;
};

// Everything the child needs, prepared before the fork: after it, the child may only call
// functions that are safe between fork and exec.
struct ChildSetup {
    QByteArray program;
    std::vector<QByteArray> arguments;
    std::vector<char *> argv;
    QByteArray workingFolder;
    pid_t parent = 0;
    int writeEnd = -1; // becomes standard output, and standard error unless that is discarded
    bool discardErrors = false;
    int errorEnd = -1; // where a failure before exec is reported; closed by exec
};

[[noreturn]] void failInChild(int errorEnd)
{
    const int error = errno;
    (void)!::write(errorEnd, &error, sizeof error);
    _exit(127);
}

// Closes every descriptor from 3 up, except `kept`.
void closeOthers(int kept)
{
    if (kept > 3)
        ::close_range(3, unsigned(kept - 1), 0);
    ::close_range(unsigned(kept + 1), ~0U, 0);
}

// In the child: standard input /dev/null, output and errors into the pipe, no other descriptor
// of ours, default signal handling with nothing blocked (a writer must die of SIGPIPE as
// usual), killed when the thread that started it ends, then the program.
[[noreturn]] void becomeChild(const ChildSetup &setup)
{
    // The parent may have died before this line, when the death signal was not yet asked for.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != setup.parent)
        _exit(127);
    // A process group of its own, so that end() reaches whatever the child starts in turn.
    ::setpgid(0, 0);
    struct sigaction standard {
    };
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        ::sigaction(signal, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);

    const int input = ::open("/dev/null", O_RDONLY);
    const int errors = setup.discardErrors ? ::open("/dev/null", O_WRONLY) : setup.writeEnd;
    if (input < 0 || errors < 0 || ::dup2(input, STDIN_FILENO) < 0 ||
        ::dup2(setup.writeEnd, STDOUT_FILENO) < 0 || ::dup2(errors, STDERR_FILENO) < 0)
        failInChild(setup.errorEnd);
    closeOthers(setup.errorEnd);
    if (::chdir(setup.workingFolder.constData()) != 0)
        failInChild(setup.errorEnd);
    ::execve(setup.program.constData(), setup.argv.data(), environ);
    failInChild(setup.errorEnd);
}

// The error number the child reported before exec, or 0 when exec succeeded (the report pipe
// then closed without a word).
int readChildError(int errorEnd)
{
    int error = 0;
    ssize_t count;
    do
        count = ::read(errorEnd, &error, sizeof error);
    while (count < 0 && errno == EINTR);
    return count == sizeof error ? error : 0;
}
} // namespace

ChildProcess::~ChildProcess()
{
    closeOutput();
    if (m_pid > 0) {
        end();
        wait(-1);
    }
    closeDescriptor(m_pidfd);
}

int ChildProcess::start(const QString &programPath, const QStringList &arguments,
                        const QString &workingFolder, ErrorOutput errors)
{
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        return errno;
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        const int error = errno;
        ::close(output[0]);
        ::close(output[1]);
        return error;
    }
    m_output = output[0];

    ChildSetup setup;
    setup.program = QFile::encodeName(programPath);
    setup.arguments.push_back(setup.program);
    for (const QString &argument : arguments)
        setup.arguments.push_back(QFile::encodeName(argument));
    for (QByteArray &argument : setup.arguments)
        setup.argv.push_back(argument.data());
    setup.argv.push_back(nullptr);
    setup.workingFolder = QFile::encodeName(workingFolder);
    setup.parent = ::getpid();
    setup.writeEnd = output[1];
    setup.errorEnd = report[1];
    setup.discardErrors = errors == ErrorOutput::Discarded;

    pid_t pid;
    int forkError = 0;
    {
        const AllSignalsBlocked blocked;
        pid = ::fork();
        if (pid == 0)
            becomeChild(setup);
        forkError = errno;
    }
    // Only the child keeps a write end, so the output ends when the child (and whatever it
    // started) has closed it.
    ::close(output[1]);
    ::close(report[1]);
    if (pid < 0) {
        ::close(report[0]);
        closeOutput();
        return forkError;
    }
    ::setpgid(pid, pid); // as the child does, whichever of the two comes first
    const int error = readChildError(report[0]);
    ::close(report[0]);
    m_pid = pid;
    if (error != 0) {
        wait(-1);
        closeOutput();
        return error;
    }
    // Until the child is reaped its number cannot go to another process, so this descriptor
    // surely names it; end() signals through it, safe from any thread.
    m_pidfd = openProcessDescriptor(pid);
    m_startedPid = pid;
    return 0;
}

qsizetype ChildProcess::read(char *buffer, qsizetype size, int timeoutMs)
{
    if (m_output < 0)
        return 0;
    pollfd output{m_output, POLLIN, 0};
    int ready;
    do
        ready = ::poll(&output, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    if (ready == 0)
        return -1;
    ssize_t count;
    do
        count = ::read(m_output, buffer, static_cast<size_t>(size));
    while (count < 0 && errno == EINTR);
    return count > 0 ? count : 0;
}

std::optional<ExitStatus> ChildProcess::wait(int timeoutMs)
{
    if (m_pid <= 0)
        return std::nullopt;
    constexpr int step = 2;
    for (int waited = 0;; waited += step) {
        int status = 0;
        const pid_t ended = ::waitpid(m_pid, &status, timeoutMs < 0 ? 0 : WNOHANG);
        if (ended == m_pid) {
            m_pid = -1;
            return exitStatus(status);
        }
        if (ended < 0 && errno != EINTR) {
            m_pid = -1;
            return ExitStatus{};
        }
        if (ended == 0) {
            if (waited >= timeoutMs)
                return std::nullopt;
            sleepMs(step);
        }
    }
}

void ChildProcess::terminate() const
{
    signalGroup(SIGTERM);
}

bool ChildProcess::waitForEnd(int timeoutMs) const
{
    // A kernel without process descriptors (before Linux 5.3) offers nothing to wait on.
    if (m_pidfd < 0)
        return false;
    // The descriptor turns readable once the child has ended; it stays unreaped for wait().
    pollfd gone{m_pidfd, POLLIN, 0};
    int ready;
    do
        ready = ::poll(&gone, 1, timeoutMs);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

void ChildProcess::end() const
{
    if (signalGroup(SIGKILL))
        waitForEnd(endingTimeoutMs);
}

bool ChildProcess::signalGroup(int signal) const
{
    if (m_startedPid <= 0)
        return false;
    // The group first: what the child started holds the output pipe open as well. Its number
    // stays the group's while any member lives, so it cannot name a stranger.
    ::kill(-m_startedPid, signal);
    return m_pidfd >= 0 && signalThroughDescriptor(m_pidfd, signal) == 0;
}

void ChildProcess::closeOutput()
{
    closeDescriptor(m_output);
}

} // namespace platform
