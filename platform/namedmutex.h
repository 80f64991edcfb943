#pragma once

#include <QString>

namespace platform
{

// Creates (or opens) a named system-wide object and holds it until the process ends.
// Nothing ever tests it: a second instance opens the same object and runs normally.
void holdNamedMutex(const QString &name);

} // namespace platform
