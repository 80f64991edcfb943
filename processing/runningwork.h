#pragma once

#include <QString>
#include <QStringList>

namespace platform
{
class ChildProcess;
}

// What the conversions have under way: the children running and the outputs not yet complete.
// Every way out of a conversion goes through here, so that no child runs on and no unfinished
// output stays under its name:
// - an error unwinding a conversion: the destructors of RunningChild and UnfinishedOutput;
// - the window closed during a conversion: stopChildren(); a batch stopped: ChildGroup::stop();
// - a termination signal: endForExit(), right before the process ends.
// The lists are safe to use from any thread.
namespace runningwork
{

// The children of one batch, stopped together. Once stopped, the group starts no more
// children, so that a conversion about to start cannot slip past a stop. The group must outlive
// its children; its destructor stops it.
class ChildGroup
{
public:
    ChildGroup() = default;
    ~ChildGroup();
    ChildGroup(const ChildGroup &) = delete;
    ChildGroup &operator=(const ChildGroup &) = delete;

    // Asks the group's running children to end, kills those still running after a short grace,
    // and waits until each has ended; from then on the group starts none. The conversions they
    // belong to then fail, and remove their unfinished outputs themselves.
    void stop();

private:
    friend class RunningChild;
    bool m_stopped = false; // under the lists' lock
};

// A child started as a running child; listed until destroyed (before the child itself).
class RunningChild
{
public:
    // Starts `child` (see platform::ChildProcess::start) unless the program is ending, or
    // `group` (when given) has been stopped, which answers ECANCELED. Returns 0 or the error
    // number.
    RunningChild(platform::ChildProcess &child, const QString &programPath,
                 const QStringList &arguments, const QString &workingFolder,
                 const ChildGroup *group = nullptr);
    ~RunningChild();
    RunningChild(const RunningChild &) = delete;
    RunningChild &operator=(const RunningChild &) = delete;

    int startError() const { return m_startError; }

private:
    platform::ChildProcess &m_child;
    int m_startError = 0;
};

// Reserves the output name `path`: creates an empty file there only if nothing of that name
// exists, so that no other conversion, of this run or another, can take it, and lists it as
// unfinished until an UnfinishedOutput of the same path takes it over and lets it go. Returns
// 0, or the error number (EEXIST when the name is taken; ECANCELED when the program is ending).
int reserve(const QString &path);

// An output about to be written at `path`, listed until destroyed. Unless keep() was called,
// the destructor removes what the run left there. A reserved name goes whole, as long as it is
// still the file reserved. Otherwise a file that was not there when the output was listed, or
// one that changed since, or an empty one goes; a file that stood there untouched stays.
class UnfinishedOutput
{
public:
    explicit UnfinishedOutput(const QString &path);
    ~UnfinishedOutput();
    UnfinishedOutput(const UnfinishedOutput &) = delete;
    UnfinishedOutput &operator=(const UnfinishedOutput &) = delete;

    // Whatever stands at the path now stays: the output is complete, or nothing was written.
    void keep();

private:
    QString m_path;
};

// Asks every running child to end, kills those still running after a short grace, and waits
// until each has ended. The conversions they belong to then fail, and remove their unfinished
// outputs themselves.
void stopChildren();

// Ends every running child as stopChildren() does, removes every unfinished output, and refuses
// to start children from then on: the process is about to end. The lists stay locked, so the
// conversions that were running never finish.
void endForExit();

} // namespace runningwork
