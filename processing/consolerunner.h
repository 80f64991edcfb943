#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class LogSink;
namespace runningwork
{
class ChildGroup;
}

// Runs `program` with `arguments` in `workingFolder` and pours its standard output and
// standard error into `log` while they arrive. The program is looked up in the working folder
// first, then along PATH; no shell is involved, so every argument reaches it whole. The run is
// framed by "Commencing processing..." and three closing lines, on every path.
//
// `keepAlive`, when given, is called about every 20 ms while the program runs, so that the
// caller can keep a window painting; without it the call simply blocks until the end.
//
// `group`, when given, is the group the program runs in (see runningwork::ChildGroup): a group
// already stopped does not start it.
//
// How a run went.
struct ConsoleRun {
    bool succeeded = false; // the program started and exited with status 0
    // Otherwise why, in one line: "<program> not found", why it could not start, or the last
    // line it wrote (how it ended when it wrote nothing).
    QString failure;
};

ConsoleRun RunConsoleCommand(const QString &program, const QStringList &arguments,
                             const QString &workingFolder, LogSink &log,
                             const std::function<void()> &keepAlive = {},
                             const runningwork::ChildGroup *group = nullptr);

// The path of `program` as the runner finds it: in `workingFolder` first, then along PATH;
// empty when it is in neither.
QString findProgram(const QString &program, const QString &workingFolder);
