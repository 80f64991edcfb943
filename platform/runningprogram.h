#pragma once

#include <QString>
#include <functional>

namespace platform
{

// The folder of the running executable, without a trailing "/".
QString programFolder();

// The file of the running executable, known also before the application object exists.
QString runningExecutable();

// Starts the running executable once more, without arguments, independent of this process.
// A failure to start is silent.
void startProgramAnew();

// Tests: a folder that stands in for the executable's folder, and a function that receives the
// executable's path instead of a second process being started. Empty values restore the real
// behaviour.
void setProgramFolderForTesting(const QString &folder);
void setProgramStarterForTesting(std::function<void(const QString &program)> starter);

} // namespace platform
