#include "processing/runningwork.h"

#include "platform/childprocess.h"
#include "processing/outputfile.h"

#include <QHash>
#include <QList>

#include <cerrno>
#include <mutex>

namespace runningwork
{

namespace
{
struct Lists {
    std::mutex lock;
    bool ending = false;
    QList<platform::ChildProcess *> children;
    QHash<QString, FileStamp> outputs; // what stood at each path when it was listed
};

Lists &lists()
{
    static Lists instance;
    return instance;
}

void endChildren(const Lists &listed)
{
    for (const platform::ChildProcess *child : listed.children)
        child->end();
}
} // namespace

RunningChild::RunningChild(platform::ChildProcess &child, const QString &programPath,
                           const QStringList &arguments, const QString &workingFolder)
    : m_child(child)
{
    // Started under the lock, so that a child is either listed before the program ends its
    // children, or not started at all.
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    if (listed.ending) {
        m_startError = ECANCELED;
        return;
    }
    m_startError = child.start(programPath, arguments, workingFolder);
    if (m_startError == 0)
        listed.children.append(&child);
}

RunningChild::~RunningChild()
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    listed.children.removeOne(&m_child);
}

UnfinishedOutput::UnfinishedOutput(const QString &path) : m_path(path)
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    listed.outputs.insert(path, FileStamp(path));
}

UnfinishedOutput::~UnfinishedOutput()
{
    Lists &listed = lists();
    const std::lock_guard guard(listed.lock);
    const auto found = listed.outputs.constFind(m_path);
    if (found == listed.outputs.cend())
        return; // kept, or removed on the way out of the program
    found->removeWhatWasWrittenSince();
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
    const std::lock_guard guard(listed.lock);
    listed.ending = true;
    // The children first: none may write an output after it is removed.
    endChildren(listed);
    for (const FileStamp &before : std::as_const(listed.outputs))
        before.removeWhatWasWrittenSince();
    listed.outputs.clear();
}

} // namespace runningwork
