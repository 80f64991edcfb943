#pragma once

#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <algorithm>

// Writes an executable shell script named "ffmpeg" into `folder`, with `body` after the
// "#!/bin/sh" line. The script sees the arguments a real ffmpeg would see; "$out" holds the
// last of them, the output.
inline QString writeFakeFfmpeg(const QString &folder, const QByteArray &body)
{
    const QString path = QDir(folder).filePath(QStringLiteral("ffmpeg"));
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    script.write("#!/bin/sh\nfor out; do :; done\n" + body + '\n');
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// A line for the fake's body that waits until a file called `name` appears in its working folder,
// so a test can let the fake go on at the moment it chooses. It gives up after 30 seconds,
// so that a test that never lets it go fails instead of hanging.
inline QByteArray waitForFile(const QByteArray &name)
{
    return "i=0; while [ ! -e '" + name + "' ] && [ $i -lt 3000 ]; do sleep 0.01; i=$((i+1)); done";
}

// Creates the file a fake waits for in `folder`.
inline void letFakeGoOn(const QString &folder, const QString &name)
{
    QFile(QDir(folder).filePath(name)).open(QIODevice::WriteOnly);
}

// The fake writes its arguments, each ended by a zero byte, to this file in its working folder.
inline const QByteArray recordArguments = "printf '%s\\0' \"$@\" > arguments.bin";

inline QStringList recordedArguments(const QString &folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("arguments.bin")));
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no arguments recorded>")};
    QStringList arguments;
    for (const QByteArray &argument : file.readAll().split('\0'))
        arguments << QFile::decodeName(argument);
    arguments.removeLast(); // after the last terminator
    return arguments;
}

// A stand-in named "ffmpeg" in `folder` that runs the real one (found along PATH now) under a
// file-size limit of a few kilobytes. The signal that the limit raises is ignored, so a write
// beyond it fails the way a write to a full disk does, and ffmpeg goes on.
inline QString writeFfmpegWithFileSizeLimit(const QString &folder)
{
    const QString real = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (real.isEmpty())
        return QString();
    return writeFakeFfmpeg(folder, "ulimit -f 16; trap '' XFSZ; exec '" + QFile::encodeName(real) +
                                       "' \"$@\"");
}

// A stand-in named "ffmpeg" in `folder` that becomes the real ffmpeg. For an input whose name
// ends in "slow.mp3" it first adds its process number as a line to `pidFile`, and the real one
// reads at the pace of playback, so that a test can act while it is writing.
inline QString writeFfmpegPacedForSlowInputs(const QString &folder, const QString &pidFile)
{
    const QString real = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (real.isEmpty())
        return QString();
    return writeFakeFfmpeg(folder, "case \"$*\" in *slow.mp3*) set -- -re \"$@\"; echo $$ >> '" +
                                       QFile::encodeName(pidFile) + "';; esac\nexec '" +
                                       QFile::encodeName(real) + "' \"$@\"");
}

// The process numbers the paced stand-ins wrote, in the order they started.
inline QList<QByteArray> startedProcesses(const QString &pidFile)
{
    QList<QByteArray> pids = readBytes(pidFile).split('\n');
    pids.removeAll(QByteArray());
    return pids;
}

// Whether the process has `path` open.
inline bool hasOpen(const QByteArray &pid, const QString &path)
{
    const QString descriptors =
        QStringLiteral("/proc/") + QString::fromLatin1(pid.trimmed()) + QStringLiteral("/fd");
    for (const QFileInfo &descriptor :
         QDir(descriptors).entryInfoList(QDir::AllEntries | QDir::System)) {
        if (descriptor.symLinkTarget() == path)
            return true;
    }
    return false;
}

// Whether the process runs still: one that has ended and waits to be reaped does not.
inline bool isRunning(const QByteArray &pid)
{
    const QByteArray stat = readBytes(QStringLiteral("/proc/") +
                                      QString::fromLatin1(pid.trimmed()) + QStringLiteral("/stat"));
    const qsizetype state = stat.lastIndexOf(") ");
    return state >= 0 && stat.size() > state + 2 && stat[state + 2] != 'Z';
}

// Whether every one of `paths` is open in one of the paced stand-ins.
inline bool allOpenInStartedProcesses(const QString &pidFile, const QStringList &paths)
{
    const QList<QByteArray> pids = startedProcesses(pidFile);
    return std::all_of(paths.begin(), paths.end(), [&](const QString &path) {
        return std::any_of(pids.begin(), pids.end(),
                           [&](const QByteArray &pid) { return hasOpen(pid, path); });
    });
}
