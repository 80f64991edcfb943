#include "platform/runningprogram.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

namespace platform
{

namespace
{
QString &testProgramFolder()
{
    static QString folder;
    return folder;
}

std::function<void(const QString &)> &testStarter()
{
    static std::function<void(const QString &)> starter;
    return starter;
}
} // namespace

QString programFolder()
{
    if (!testProgramFolder().isEmpty())
        return testProgramFolder();
    return QCoreApplication::applicationDirPath();
}

QString runningExecutable()
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

void startProgramAnew()
{
    const QString program = QCoreApplication::applicationFilePath();
    if (testStarter())
        testStarter()(program);
    else
        QProcess::startDetached(program, {});
}

void setProgramFolderForTesting(const QString &folder)
{
    testProgramFolder() = folder;
}

void setProgramStarterForTesting(std::function<void(const QString &program)> starter)
{
    testStarter() = std::move(starter);
}

} // namespace platform
