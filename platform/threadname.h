#pragma once

namespace platform
{

// Names the calling thread as the system lists it (/proc/<pid>/task/<tid>/comm, debuggers,
// top); the system keeps the first 15 bytes. A failure is ignored: the name only helps people.
void nameCurrentThread(const char *name);

} // namespace platform
