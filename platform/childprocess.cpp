#include "platform/childprocess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace platform
{

namespace
{
// Resets signal handling and the signal mask of the child, so that it does not inherit
// ignored signals (a writer must die of SIGPIPE as usual) or blocked ones from us.
class SpawnAttributes
{
public:
    SpawnAttributes()
    {
        posix_spawnattr_init(&m_attributes);
        sigset_t all;
        sigfillset(&all);
        posix_spawnattr_setsigdefault(&m_attributes, &all);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&m_attributes, &none);
        posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&m_attributes); }
    SpawnAttributes(const SpawnAttributes &) = delete;
    SpawnAttributes &operator=(const SpawnAttributes &) = delete;
    const posix_spawnattr_t *get() const { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes;
};

// Descriptors of the child: stdin /dev/null, stdout and stderr the pipe's write end, the
// working folder, and every other descriptor closed.
class SpawnActions
{
public:
    SpawnActions(int writeEnd, const QByteArray &workingFolder)
    {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawn_file_actions_addopen(&m_actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&m_actions, writeEnd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&m_actions, writeEnd, STDERR_FILENO);
        posix_spawn_file_actions_addclosefrom_np(&m_actions, STDERR_FILENO + 1);
        posix_spawn_file_actions_addchdir_np(&m_actions, workingFolder.constData());
    }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions &) = delete;
    SpawnActions &operator=(const SpawnActions &) = delete;
    const posix_spawn_file_actions_t *get() const { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

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
} // namespace

ChildProcess::~ChildProcess()
{
    closeOutput();
    if (m_pid > 0)
        wait(-1);
}

int ChildProcess::start(const QString &programPath, const QStringList &arguments,
                        const QString &workingFolder)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return errno;
    m_output = ends[0];
    int writeEnd = ends[1];

    const QByteArray program = QFile::encodeName(programPath);
    std::vector<QByteArray> encoded{program};
    for (const QString &argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const SpawnActions actions(writeEnd, QFile::encodeName(workingFolder));
    const SpawnAttributes attributes;
    pid_t pid = -1;
    const int error = posix_spawn(&pid, program.constData(), actions.get(), attributes.get(),
                                  argv.data(), environ);
    // Only the child keeps a write end, so the output ends when the child (and whatever it
    // started) has closed it.
    closeDescriptor(writeEnd);
    if (error != 0) {
        closeOutput();
        return error;
    }
    m_pid = pid;
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

void ChildProcess::closeOutput()
{
    closeDescriptor(m_output);
}

} // namespace platform
