#include "processing/runningwork.h"

#include "platform/childprocess.h"
#include "platform/newfile.h"
#include "processing/outputfile.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QList>

#include <cerrno>
#include <mutex>

namespace runningwork
{

namespace
{
struct Output {
    FileStamp before; // what stood at the path when it was listed
    bool reserved = false;

    void removeWhatRunsLeft() const
    {
        if (reserved)
            before.removeIfSameFile();
        else
            before.removeWhatWasWrittenSince();
    }
};

// How long a child asked to end may take to write its last words before it is killed.
constexpr int terminationGraceMs = 1000;

struct Child {
    platform::ChildProcess *process;
    const ChildGroup *group;
};

struct Lists {
    std::mutex lock;
    bool ending = false;
    QList<Child> children;
    QHash<QString, Output> outputs;
};

Lists &lists()
{
    static Lists instance;
    return instance;
}

// Asks every child of `group` (of every group when null) to end, kills those still running
// after the grace, and waits until each has ended.
void endChildren(const Lists &listed, const ChildGroup *group = nullptr)
{
    QList<const platform::ChildProcess *> ending;
    for (const Child &child : listed.children) {
        if (!group || child.group == group) {
            child.process->terminate();
            ending.append(child.process);
        }
    }
    QDeadlineTimer grace(terminationGraceMs);
    for (const platform::ChildProcess *child : std::as_const(ending)) {
        if (!child->waitForEnd(int(grace.remainingTime())))
            child->end();
    }
}
} // namespace

ChildGroup::~ChildGroup()
{
    stop();
}

void ChildGroup::stop()
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    m_stopped = true;
    endChildren(listed, this);
}

RunningChild::RunningChild(platform::ChildProcess &child, const QString &programPath,
                           const QStringList &arguments, const QString &workingFolder,
                           const ChildGroup *group)
    : m_child(child)
{
    // Started under the lock, so that a child is either listed before the program or its group
    // ends its children, or not started at all.
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    if (listed.ending || (group && group->m_stopped)) {
        m_startError = ECANCELED;
        return;
    }
    m_startError = child.start(programPath, arguments, workingFolder);
    if (m_startError == 0)
        listed.children.append({&child, group});
}

RunningChild::~RunningChild()
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    listed.children.removeIf([this](const Child &child) { return child.process == &m_child; });
}

int reserve(const QString &path)
{
    // Created under the lock, so that a reserved name is either listed before the program
    // removes the unfinished outputs, or not created at all.
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    if (listed.ending)
        return ECANCELED;
    if (const int error = platform::createNewFile(path); error != 0)
        return error;
    listed.outputs.insert(path, {FileStamp(path), true});
    return 0;
}

UnfinishedOutput::UnfinishedOutput(const QString &path) : m_path(path)
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    if (!listed.outputs.contains(path)) // a reserved name keeps what its reservation knows
        listed.outputs.insert(path, {FileStamp(path), false});
}

UnfinishedOutput::~UnfinishedOutput()
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    const auto found = listed.outputs.constFind(m_path);
    if (found == listed.outputs.cend())
        return; // kept, or removed on the way out of the program
    found->removeWhatRunsLeft();
    listed.outputs.erase(found);
}

void UnfinishedOutput::keep()
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    listed.outputs.remove(m_path);
}

void stopChildren()
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    endChildren(listed);
}

void endForExit()
{
    Lists &listed = lists();
    // Kept locked until the process ends: a conversion whose child is ended here then waits
    // at its way out instead of reporting a failure that is none (a row "Error" printed for a
    // file that was stopped).
    listed.lock.lock();
    listed.ending = true;
    // The children first: none may write an output after it is removed.
    endChildren(listed);
    for (const Output &output : std::as_const(listed.outputs))
        output.removeWhatRunsLeft();
    listed.outputs.clear();
}

} // namespace runningwork
