#pragma once

#include <functional>

namespace platform
{

// Makes SIGHUP, SIGINT and SIGTERM end the program in order, whatever its threads are doing at
// the time: the signals are blocked, and a thread of their own waits for them, calls
// `beforeExit` and ends the process with status 128 + the signal's number, the status a shell
// shows for a program that the signal ended.
//
// Call this first in main(), before any other thread starts: threads take over the blocked
// signals from the thread that starts them. Children started through ChildProcess get them
// unblocked again.
void endOnTerminationSignals(std::function<void()> beforeExit);

} // namespace platform
