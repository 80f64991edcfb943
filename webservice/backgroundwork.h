#pragma once

#include <functional>

// Work that runs on threads of its own beside the window thread (the update check) and that
// the end of the program never waits for: when the program ends, such work is told to stop,
// the network transfers it has in progress end at once, and teardown goes on as soon as the
// work has left the libraries that teardown frees.

// Runs job on a new detached thread carrying the name threadName; the thread ends when job
// returns, and whatever job owns is freed on that thread. Answers false, running nothing, when
// the program is ending or no thread could be made.
bool startBackgroundWork(const char *threadName, std::function<void()> job);

// Whether the program is ending: network calls refuse to start and stop where they stand.
bool backgroundWorkEnding();

// Marks the program as ending and waits until every job has returned, at most waitLimitMs.
// Answers whether none is left running. Later calls answer at once.
bool endBackgroundWork(int waitLimitMs = 3000);
